#include "support/detection_settings.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <limits>

#include "support/gbk.h"
#include "support/profile_store.h"

namespace {

// A stored number as a selection index: its whole part, kept within int so that
// a wild value cannot overflow.
int selection_index(double number) {
  if (std::isnan(number)) return 0;
  constexpr double kLowest = std::numeric_limits<int>::min();
  constexpr double kHighest = std::numeric_limits<int>::max();
  return static_cast<int>(std::trunc(std::clamp(number, kLowest, kHighest)));
}

void load_row(Window& window, const ProfileStore& store, const DetectionSetting& setting) {
  switch (setting.form) {
    case SettingForm::check_box:
      store.load_check_box(window, setting.control);
      return;
    case SettingForm::radio_button:
      store.load_radio(window, setting.control);
      return;
    case SettingForm::text: {
      const std::string text = store.read_text(gbk(setting.key), window.text(setting.control));
      if (text.empty() && setting.empty_keeps_form_text) return;
      window.set_text(setting.control, text);
      return;
    }
    case SettingForm::selection: {
      const double stored = store.read_number(gbk(setting.key), window.selected_index(setting.control));
      const int index = selection_index(stored);
      if (index < 0 || index >= setting.items) return;
      window.set_selected_index(setting.control, index);
      return;
    }
  }
}

ProfileWrite save_row(const Window& window, ProfileStore& store, const DetectionSetting& setting) {
  switch (setting.form) {
    case SettingForm::check_box:
      return store.save_check_box(window, setting.control);
    case SettingForm::radio_button:
      return store.save_radio(window, setting.control);
    case SettingForm::text:
      return store.write_text(gbk(setting.key), window.text(setting.control));
    case SettingForm::selection:
      return store.write_number(gbk(setting.key), window.selected_index(setting.control));
  }
  return {std::make_error_code(std::errc::invalid_argument)};
}

// Why a save failed, in the user's words.
std::string failure_cause(const std::error_code& error) {
  if (error == std::errc::invalid_argument) return gbk("有一项设置无法写成配置文件中的一行。");
  if (error == std::errc::permission_denied || error == std::errc::operation_not_permitted ||
      error == std::errc::read_only_file_system)
    return gbk("没有写入这个文件或其文件夹的权限。");
  if (error == std::errc::no_space_on_device || error.value() == EDQUOT) return gbk("磁盘已满。");
  if (error == std::errc::not_a_directory) return gbk("文件的路径中有一项不是文件夹。");
  if (error == std::errc::is_a_directory || error == std::errc::not_supported)
    return gbk("这个位置上不是普通文件，而是文件夹或其他特殊文件。");
  if (error == std::errc::no_such_file_or_directory) return gbk("文件所在的文件夹不存在。");
  return gbk_from_utf8(error.message());
}

}  // namespace

void load_settings(Window& window, ProfileStore& store, const std::function<void(Control)>& after_row) {
  // The store's section is shared state; loading and saving always name theirs.
  store.set_section(gbk(kSettingsSection));
  for (const DetectionSetting& setting : kDetectionSettings) {
    load_row(window, store, setting);
    if (setting.control == Control::单选框按收录率) {
      window.set_checked(Control::单选框按未收录率, !window.checked(Control::单选框按收录率));
    }
    after_row(setting.control);
  }
}

ProfileWrite save_settings(const Window& window, ProfileStore& store) {
  store.set_section(gbk(kSettingsSection));
  // All rows in one replacement of the file: a crash or a full disk never leaves
  // some of them new and some old.
  store.hold_writes();
  ProfileWrite first_failure;
  for (const DetectionSetting& setting : kDetectionSettings) {
    const ProfileWrite row = save_row(window, store, setting);
    if (first_failure.written()) first_failure = row;
  }
  const ProfileWrite committed = store.commit_writes();
  return first_failure.written() ? committed : first_failure;
}

void save_settings_with_message(Window& window, ProfileStore& store, const std::filesystem::path& file) {
  const ProfileWrite saved = save_settings(window, store);
  if (saved.written()) {
    window.show_message({gbk("保存完毕！"), gbk("信息："), MessageButtons::ok, MessageIcon::none});
    return;
  }
  window.show_message({gbk("配置没有保存成功，无法写入文件：\r\n") + gbk_from_utf8(file.string()) +
                           gbk("\r\n原因：") + failure_cause(saved.error),
                       gbk("信息："), MessageButtons::ok, MessageIcon::warning});
}
