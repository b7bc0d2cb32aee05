#include "check/check_button.h"

#include <string>

#include "check/article_check.h"
#include "check/text_expressions.h"
#include "support/gbk.h"
#include "support/window.h"

namespace {

void enable_batch_buttons(Window& window, bool on) {
  window.set_enabled(Control::按钮选择文件, on);
  window.set_enabled(Control::按钮选择文件夹, on);
}

}  // namespace

void on_check_button_clicked(CheckContext& context) {
  Window& window = context.window;
  if (window.caption(Control::按钮立即检测) != gbk("立即检测 >>>")) {
    context.stop_requested = true;
    window.set_caption(Control::按钮立即检测, gbk("停止中..."));
    return;
  }

  context.stop_requested = false;
  window.set_caption(Control::按钮立即检测, gbk("点击停止检测！"));
  enable_batch_buttons(window, false);
  build_cleaning_expression(window, context.expressions);
  if (window.checked(Control::选择框浏览器模式检测)) window.set_visible(Control::浏览器, true);

  std::string title;
  check_article(context, true, title, false, {}, false);

  window.set_visible(Control::浏览器, false);
  window.set_progress_position(Control::进度条, 0);
  window.set_text(Control::状态条, gbk("检测完毕！"));
  window.set_caption(Control::按钮立即检测, gbk("立即检测 >>>"));
  enable_batch_buttons(window, true);
}
