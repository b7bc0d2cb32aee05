#include "support/detection_settings.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "support/gbk.h"
#include "support/profile_store.h"

namespace {

// A stored number as a selection index: its whole part, kept within int so that
// a wild value cannot overflow (it then selects nothing, as any index outside
// the items does).
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
      window.set_selected_index(setting.control, selection_index(stored));
      return;
    }
  }
}

bool save_row(const Window& window, ProfileStore& store, const DetectionSetting& setting) {
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
  return false;
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

bool save_settings(const Window& window, ProfileStore& store) {
  store.set_section(gbk(kSettingsSection));
  bool all_written = true;
  for (const DetectionSetting& setting : kDetectionSettings) {
    all_written = save_row(window, store, setting) && all_written;
  }
  return all_written;
}

void save_settings_with_message(Window& window, ProfileStore& store, const std::filesystem::path& file) {
  if (save_settings(window, store)) {
    window.show_message({gbk("保存完毕！"), gbk("信息："), MessageButtons::ok, MessageIcon::none});
    return;
  }
  window.show_message({gbk("配置没有保存成功，无法写入文件：\r\n") + gbk_from_utf8(file.string()) +
                           gbk("\r\n请检查这个文件夹能否写入，或磁盘是否已满。"),
                       gbk("信息："), MessageButtons::ok, MessageIcon::warning});
}
