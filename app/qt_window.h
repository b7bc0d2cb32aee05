#pragma once

#include <functional>

#include "app/browser_view.h"
#include "support/window.h"

class MainForm;

// The core's window interface over the main form's widgets. Text crosses it as
// GBK; the multi-line body shows line feeds but gives and takes CR LF pairs, as
// the core's text uses them.
class QtWindow : public Window {
 public:
  using MessageAnswerer = std::function<MessageAnswer(const Message&)>;

  // Message boxes are answered by `show_message_box` (qt_message_box.h) until a
  // test puts its own answerer in.
  explicit QtWindow(MainForm& form);

  void set_message_answerer(MessageAnswerer answerer) { answerer_ = std::move(answerer); }

  // Once the program is ending, no box is shown any more: each is answered Cancel,
  // as closing it would be, so that a run still unwinding stops at any prompt.
  void refuse_messages() { messages_refused_ = true; }

  // The batch dialogs are Qt's (batch_dialogs.h) until a test puts its own in.
  using FilePicker = std::function<std::vector<std::filesystem::path>(
      const std::string& title, const std::vector<std::string>& filters)>;
  using FolderPicker = std::function<std::optional<std::filesystem::path>(
      const std::string& prompt, const std::filesystem::path& start_folder)>;
  void set_file_picker(FilePicker picker) { file_picker_ = std::move(picker); }
  void set_folder_picker(FolderPicker picker) { folder_picker_ = std::move(picker); }

  void process_pending_events() override;
  std::string text(Control control) const override;
  void set_text(Control control, const std::string& text) override;
  std::string caption(Control control) const override;
  void set_caption(Control control, const std::string& caption) override;
  bool checked(Control control) const override;
  void set_checked(Control control, bool on) override;
  int selected_index(Control control) const override;
  void set_selected_index(Control control, int index) override;
  bool enabled(Control control) const override;
  void set_enabled(Control control, bool on) override;
  bool visible(Control control) const override;
  void set_visible(Control control, bool on) override;
  void set_progress_maximum(Control control, int maximum) override;
  void set_progress_position(Control control, int position) override;
  std::string link_address(Control control) const override;
  MessageAnswer show_message(const Message& message) override;
  void beep() override;
  void bring_to_front() override;
  std::vector<std::filesystem::path> pick_files(const std::string& title,
                                                const std::vector<std::string>& filters) override;
  std::optional<std::filesystem::path> pick_folder(const std::string& prompt,
                                                   const std::filesystem::path& start_folder) override;
  void navigate_browser(const std::string& url) override;
  std::string browser_document_text(const std::string& property) override;

 private:
  MainForm& form_;
  MessageAnswerer answerer_;
  bool messages_refused_ = false;
  FilePicker file_picker_;
  FolderPicker folder_picker_;
  BrowserView browser_;
};
