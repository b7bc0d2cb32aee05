#pragma once

#include <string>

#include "support/memory_window.h"

class ProgressOutput;

// The core's window without a screen. Controls are values in memory, starting
// from the window program's own defaults. What the status bar and the batch's
// position line say becomes progress on standard error. Message boxes are
// answered by rule: a prompt that waits for a person (the captcha prompt when
// Baidu blocks and no automatic wait is set) is cancelled, which ends the run,
// and counts as the engine blocking us; a warning goes to standard error; any
// other box (a verdict, the batch summary) is kept for the caller to read.
// A stop signal turns into the run's stop flag whenever events are processed.
class HeadlessWindow : public MemoryWindow {
 public:
  HeadlessWindow(bool& stop_requested, ProgressOutput& progress);

  // The text of the last box that was neither a prompt nor a warning (GBK).
  const std::string& last_message() const { return last_message_; }
  bool engine_blocked() const { return engine_blocked_; }

  void process_pending_events() override;
  void set_text(Control control, const std::string& text) override;
  void set_progress_maximum(Control, int) override {}
  void set_progress_position(Control, int) override {}
  std::string link_address(Control) const override { return {}; }
  MessageAnswer show_message(const Message& message) override;
  void beep() override {}
  void bring_to_front() override {}
  // There is nobody to pick anything: every dialog is cancelled.
  std::vector<std::filesystem::path> pick_files(const std::string&,
                                                const std::vector<std::string>&) override {
    return {};
  }
  std::optional<std::filesystem::path> pick_folder(const std::string&,
                                                   const std::filesystem::path&) override {
    return std::nullopt;
  }
  // This program fetches by HTTP only: there is no browser to show a page.
  void navigate_browser(const std::string&) override {}
  std::string browser_document_text(const std::string&) override { return {}; }

 private:
  bool& stop_requested_;
  ProgressOutput& progress_;
  std::string last_message_;
  bool engine_blocked_ = false;
};
