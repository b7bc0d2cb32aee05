#include "app/enabling_rules.h"

#include "support/window.h"

namespace {

constexpr int kGivenProxy = 2;

}  // namespace

void apply_content_check_rule(Window& window) {
  const bool on = window.checked(Control::选择框判断内容);
  for (const Control control : {Control::编辑框句数, Control::编辑框最少字数, Control::编辑框判断比例,
                                Control::单选框按收录率, Control::单选框按未收录率}) {
    window.set_enabled(control, on);
  }
}

void apply_blocking_wait_rule(Window& window) {
  window.set_enabled(Control::编辑框等待分钟, window.checked(Control::选择框屏蔽等待));
}

void apply_proxy_rule(Window& window) {
  window.set_enabled(Control::编辑框IP, window.selected_index(Control::组合框代理形式) == kGivenProxy &&
                                            window.enabled(Control::组合框代理形式));
}

void apply_browser_mode_rule(Window& window) {
  window.set_enabled(Control::组合框代理形式, !window.checked(Control::选择框浏览器模式检测));
}
