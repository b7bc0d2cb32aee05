#include "cli/headless_window.h"

#include "cli/progress_output.h"
#include "cli/stop_signal.h"
#include "support/form_defaults.h"
#include "support/gbk.h"

namespace {

template <typename Value>
Value value_or(const std::map<Control, Value>& values, Control control, Value fallback) {
  const auto it = values.find(control);
  return it == values.end() ? fallback : it->second;
}

}  // namespace

HeadlessWindow::HeadlessWindow(bool& stop_requested, ProgressOutput& progress)
    : stop_requested_(stop_requested), progress_(progress) {
  for (const CheckBoxDefault& check_box : kCheckBoxDefaults) {
    captions_[check_box.control] = gbk(check_box.caption);
    checked_[check_box.control] = check_box.checked;
  }
  for (const TextDefault& text : kTextDefaults) texts_[text.control] = gbk(text.text);
}

void HeadlessWindow::process_pending_events() {
  if (stop_signal() != 0) stop_requested_ = true;
}

std::string HeadlessWindow::text(Control control) const {
  return value_or(texts_, control, std::string());
}

void HeadlessWindow::set_text(Control control, const std::string& text) {
  texts_[control] = text;
  if (control == Control::状态条 || control == Control::标签提示) progress_.show(terminal_text(text));
}

std::string HeadlessWindow::caption(Control control) const {
  return value_or(captions_, control, std::string());
}

void HeadlessWindow::set_caption(Control control, const std::string& caption) {
  captions_[control] = caption;
}

bool HeadlessWindow::checked(Control control) const {
  return value_or(checked_, control, false);
}

void HeadlessWindow::set_checked(Control control, bool on) {
  checked_[control] = on;
}

int HeadlessWindow::selected_index(Control control) const {
  return value_or(selected_, control, 0);
}

void HeadlessWindow::set_selected_index(Control control, int index) {
  selected_[control] = index;
}

bool HeadlessWindow::enabled(Control control) const {
  return value_or(enabled_, control, true);
}

void HeadlessWindow::set_enabled(Control control, bool on) {
  enabled_[control] = on;
}

bool HeadlessWindow::visible(Control control) const {
  return value_or(visible_, control, true);
}

void HeadlessWindow::set_visible(Control control, bool on) {
  visible_[control] = on;
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
