#pragma once

#include <array>
#include <string_view>

#include "support/window.h"

// The main window's design-time values of the controls that hold settings: what a
// missing setting reads as. The window builds its form from them, and a program
// without a window starts its controls from them, so both read a settings file
// alike. Text is UTF-8. Drop-down lists start at their first item.

// A check box or radio button: its caption is also the key it is stored under.
struct CheckBoxDefault {
  Control control;
  std::string_view caption;
  bool checked;
};

inline constexpr std::array<CheckBoxDefault, 10> kCheckBoxDefaults{{
    {Control::选择框判断标题, "检测标题", false},
    {Control::选择框判断内容, "检测内容", false},
    {Control::单选框按未收录率, "按未收录率判断原创", true},
    {Control::单选框按收录率, "按收录率判断非原创", false},
    {Control::选择框忽略网址邮箱, "忽略网址邮箱", true},
    // Six blanks: the digit-count box lies over them.
    {Control::选择框忽略数字, "忽略      位以上数字", true},
    {Control::选择框浏览器模式检测, "浏览器模式检测", true},
    {Control::选择框删除已检测文件, "删除已检测文件", true},
    {Control::选择框原创, "原创文章另存文件夹", true},
    {Control::选择框屏蔽等待, "当百度屏蔽时自动等待多少分钟（否则弹出信息框提示）：", true},
}};

struct TextDefault {
  Control control;
  std::string_view text;
};

// The article body's default, the usage text, is the window's own.
inline constexpr std::array<TextDefault, 9> kTextDefaults{{
    {Control::编辑框标题, "这是文章的标题，下面是文章内容"},
    {Control::编辑框句数, "10"},
    {Control::编辑框最少字数, "10"},
    {Control::编辑框判断比例, "60"},
    {Control::编辑框间隔秒, "1.5"},
    {Control::编辑框数字位数, "5"},
    {Control::编辑框IP, "127.0.0.1:8080"},
    {Control::编辑框等待分钟, "30"},
    {Control::编辑框过滤, "*.txt"},
}};

// The row of `control` in the tables above; the control must have one.
const CheckBoxDefault& check_box_default(Control control);
std::string_view default_text(Control control);
