#include "batch/batch_buttons.h"

#include <string>
#include <vector>

#include "batch/batch_estimate.h"
#include "batch/folder_listing.h"
#include "support/gbk.h"
#include "support/window.h"

namespace {

// The three runs exclude one another: while one runs, the other two buttons are off.
void enable_buttons(Window& window, Control first, Control second, bool on) {
  window.set_enabled(first, on);
  window.set_enabled(second, on);
}

void enable_run_buttons(Window& window, bool on) {
  window.set_enabled(Control::按钮立即检测, on);
  enable_buttons(window, Control::按钮选择文件, Control::按钮选择文件夹, on);
}

std::string folder_prompt(const std::string& pattern) {
  return gbk("选择文件夹，其下的‘") + pattern + gbk("’文件将检测其内容的原创性并归类放置：");
}

}  // namespace

BatchButtons::BatchButtons(CheckContext& context, TickClock clock)
    : context_(context), run_(context, std::move(clock)) {}

void BatchButtons::start_file_batch() {
  Window& window = context_.window;
  if (window.caption(Control::按钮选择文件) != gbk("批量检测..")) {
    window.set_caption(Control::按钮选择文件, gbk("停止中.."));
    context_.stop_requested = true;
    return;
  }
  const std::vector<std::filesystem::path> paths =
      window.pick_files(gbk("选择多个文件，检测其内容的原创性并归类放置："),
                        {gbk("文本文件(*.txt)"), gbk("网页文件(*.htm *.html)"), gbk("全部文件(*)")});
  if (paths.empty()) return;

  context_.stop_requested = false;
  window.set_caption(Control::按钮选择文件, gbk("立即停止！"));
  enable_buttons(window, Control::按钮立即检测, Control::按钮选择文件夹, false);
  show_estimate(paths);
  run_.run_batch(paths);
  enable_buttons(window, Control::按钮立即检测, Control::按钮选择文件夹, true);
  window.set_caption(Control::按钮选择文件, gbk("批量检测.."));
}

void BatchButtons::start_folder_batch() {
  Window& window = context_.window;
  if (window.caption(Control::按钮选择文件夹) != gbk("  批量检测(文件夹)..")) {
    window.set_caption(Control::按钮选择文件夹, gbk("    停止中.."));
    context_.stop_requested = true;
    return;
  }
  const std::optional<std::filesystem::path> folder =
      window.pick_folder(folder_prompt(window.text(Control::编辑框过滤)), last_folder_);
  if (!folder || folder->empty()) return;
  last_folder_ = *folder;

  // The pattern may have changed while the browser was open. The listing lets
  // events run: the run buttons stay off meanwhile, so no other run starts inside
  // it, and only the program's end can raise the stop flag, which must then hold.
  context_.stop_requested = false;
  enable_run_buttons(window, false);
  const std::vector<std::filesystem::path> paths =
      list_folder_files(window, *folder, window.text(Control::编辑框过滤));
  if (paths.empty()) {
    enable_run_buttons(window, true);
    return;
  }

  window.set_caption(Control::按钮选择文件夹, gbk("   立即停止！"));
  window.set_enabled(Control::按钮选择文件夹, true);  // its click is the stop
  show_estimate(paths);
  run_.run_batch(paths);
  window.set_caption(Control::按钮选择文件夹, gbk("  批量检测(文件夹).."));
  enable_buttons(window, Control::按钮立即检测, Control::按钮选择文件, true);
}

void BatchButtons::show_estimate(const std::vector<std::filesystem::path>& paths) {
  Window& window = context_.window;
  window.set_text(Control::状态条, estimate_text(window, batch_total(estimate_batch(context_, paths))));
}
