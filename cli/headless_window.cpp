#include "cli/headless_window.h"

#include "cli/progress_output.h"
#include "cli/stop_signal.h"
#include "support/form_defaults.h"
#include "support/gbk.h"

HeadlessWindow::HeadlessWindow(bool& stop_requested, ProgressOutput& progress)
    : stop_requested_(stop_requested), progress_(progress) {
  for (const CheckBoxDefault& check_box : kCheckBoxDefaults) {
    set_caption(check_box.control, gbk(check_box.caption));
    set_checked(check_box.control, check_box.checked);
  }
  for (const TextDefault& text : kTextDefaults) MemoryWindow::set_text(text.control, gbk(text.text));
}

void HeadlessWindow::process_pending_events() {
  if (stop_signal() != 0) stop_requested_ = true;
}

void HeadlessWindow::set_text(Control control, const std::string& text) {
  MemoryWindow::set_text(control, text);
  if (control == Control::状态条 || control == Control::标签提示) progress_.show(terminal_text(text));
}

MessageAnswer HeadlessWindow::show_message(const Message& message) {
  if (message.buttons != MessageButtons::ok) {
    engine_blocked_ = true;
    progress_.warn("originality-check: " + terminal_text(message.text) +
                   "\nNobody can answer here, so the run ends.");
    return MessageAnswer::cancel;
  }
  if (message.icon == MessageIcon::warning) {
    progress_.warn("originality-check: " + terminal_text(message.text));
    return MessageAnswer::ok;
  }
  last_message_ = message.text;
  return MessageAnswer::ok;
}
