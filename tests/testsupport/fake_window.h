#pragma once

#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "support/memory_window.h"

// A window without widgets: controls are values in memory, message boxes are
// recorded and answered from a script, and a test can decide what happens
// whenever the core lets pending events run.
class FakeWindow : public MemoryWindow {
 public:
  void process_pending_events() override {
    ++event_rounds;
    if (on_events) on_events();
  }

  void set_progress_maximum(Control control, int maximum) override { progress_maximum[control] = maximum; }
  void set_progress_position(Control control, int position) override {
    progress_position[control] = position;
  }
  std::string link_address(Control control) const override {
    return value_or(links_, control, std::string());
  }
  void set_link_address(Control control, std::string address) { links_[control] = std::move(address); }

  // Answers with the next scripted answer, or with the box's first button.
  MessageAnswer show_message(const Message& message) override {
    messages.push_back(message);
    if (on_message) on_message(message);
    if (!answers.empty()) {
      const MessageAnswer answer = answers.front();
      answers.pop_front();
      return answer;
    }
    return message.buttons == MessageButtons::yes_no_cancel ? MessageAnswer::yes : MessageAnswer::ok;
  }
  void beep() override { ++beeps; }
  void bring_to_front() override { ++raised; }

  // The dialogs answer from `picked_files` and `picked_folder`; `on_dialog` runs
  // while one is open (the user changing the window meanwhile).
  std::vector<std::filesystem::path> pick_files(const std::string& title,
                                                const std::vector<std::string>& filters) override {
    file_dialogs.push_back({title, filters});
    if (on_dialog) on_dialog();
    return picked_files;
  }
  std::optional<std::filesystem::path> pick_folder(const std::string& prompt,
                                                   const std::filesystem::path& start_folder) override {
    folder_dialogs.push_back({prompt, start_folder});
    if (on_dialog) on_dialog();
    return picked_folder;
  }

  // The browser records where it was sent; `browser_document` answers every read
  // of the page (without it there is no page).
  void navigate_browser(const std::string& url) override { browser_navigations.push_back(url); }
  std::string browser_document_text(const std::string& property) override {
    ++browser_reads;
    return browser_document ? browser_document(property) : std::string();
  }

  int event_rounds = 0;
  std::function<void()> on_events;
  std::vector<std::string> browser_navigations;
  std::function<std::string(const std::string& property)> browser_document;
  int browser_reads = 0;
  std::function<void(const Message&)> on_message;
  std::deque<MessageAnswer> answers;
  std::vector<Message> messages;
  std::map<Control, int> progress_maximum;
  std::map<Control, int> progress_position;
  int beeps = 0;
  int raised = 0;

  struct FileDialog {
    std::string title;
    std::vector<std::string> filters;
  };
  struct FolderDialog {
    std::string prompt;
    std::filesystem::path start_folder;
  };
  std::vector<FileDialog> file_dialogs;
  std::vector<FolderDialog> folder_dialogs;
  std::vector<std::filesystem::path> picked_files;     // empty: Cancel
  std::optional<std::filesystem::path> picked_folder;  // nothing: Cancel
  std::function<void()> on_dialog;

 private:
  std::map<Control, std::string> links_;
};
