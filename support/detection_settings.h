#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <string_view>

#include "support/profile_file.h"
#include "support/window.h"

class ProfileStore;

// How one setting is kept in the file.
enum class SettingForm {
  check_box,     // under the control's caption, "真" or "假"
  radio_button,  // the same, for a radio button
  text,          // an edit box's text
  selection,     // a drop-down list's selected index, as a number
};

// One of the detection settings: the control that holds it and how it is stored.
struct DetectionSetting {
  Control control;
  SettingForm form;
  std::string_view key;  // UTF-8; empty for check boxes and radio buttons
  // The article title and body keep the form's text when the stored text is empty.
  bool empty_keeps_form_text = false;
  // How many items a drop-down list has; a stored index outside them keeps the
  // form's selection, since no selection would leave a check without an engine.
  int items = 0;
};

inline constexpr std::string_view kSettingsSection = "基本配置";

// The settings in the order in which they are saved and loaded.
inline constexpr std::array<DetectionSetting, 22> kDetectionSettings{{
    {Control::选择框判断标题, SettingForm::check_box, {}},
    {Control::选择框判断内容, SettingForm::check_box, {}},
    {Control::编辑框句数, SettingForm::text, "句数"},
    {Control::编辑框最少字数, SettingForm::text, "最少字数"},
    {Control::编辑框判断比例, SettingForm::text, "判断比例"},
    {Control::单选框按收录率, SettingForm::radio_button, {}},
    {Control::编辑框间隔秒, SettingForm::text, "间隔秒"},
    {Control::组合框引擎, SettingForm::selection, "引擎", false, 6},
    {Control::选择框忽略网址邮箱, SettingForm::check_box, {}},
    {Control::选择框忽略数字, SettingForm::check_box, {}},
    {Control::编辑框数字位数, SettingForm::text, "数字位数"},
    {Control::编辑框过滤, SettingForm::text, "过滤"},
    {Control::选择框删除已检测文件, SettingForm::check_box, {}},
    {Control::选择框原创, SettingForm::check_box, {}},
    {Control::编辑框标题, SettingForm::text, "标题", true},
    {Control::编辑框内容, SettingForm::text, "内容", true},
    {Control::组合框文件编码, SettingForm::selection, "文件编码", false, 5},
    {Control::组合框代理形式, SettingForm::selection, "代理形式", false, 3},
    {Control::编辑框IP, SettingForm::text, "IP"},
    {Control::选择框屏蔽等待, SettingForm::check_box, {}},
    {Control::编辑框等待分钟, SettingForm::text, "等待分钟"},
    {Control::选择框浏览器模式检测, SettingForm::check_box, {}},
}};

// Reads every setting into its control, in table order; a missing key, or a
// selection that names no item, leaves the control as it is. The radio partner 单选框按未收录率 is set right
// after its row. `after_row` runs after each row with the row's control, so the caller can weave its own
// steps in between.
void load_settings(Window& window, ProfileStore& store, const std::function<void(Control)>& after_row);

// Writes every setting from its control, in table order, in one replacement of
// the file; a setting that cannot be written is left out and the others are
// written. Failed with the first failure's reason when any write failed.
ProfileWrite save_settings(const Window& window, ProfileStore& store);

// save_settings, then tells the user: "保存完毕！" when it worked, otherwise a
// warning that names `file` and why it could not be written.
void save_settings_with_message(Window& window, ProfileStore& store, const std::filesystem::path& file);
