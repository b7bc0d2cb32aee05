#pragma once

#include <QObject>
#include <functional>
#include <string>

#include "app/tray_icon.h"

class MainForm;
class Window;
struct ProgramObjects;

// The main window's own behaviour: what its creation and closing do, the enabling
// rules behind its check boxes and proxy choice, and its small commands (paste,
// save, help, links, the notification-area icon).
class WindowEvents : public QObject {
  Q_OBJECT

 public:
  using AddressOpener = std::function<void(const std::string& address)>;

  // Binds the controls' events. Addresses open in the system's handler for them,
  // and quitting through the icon ends the process, until set otherwise.
  WindowEvents(MainForm& form, Window& window, ProgramObjects& objects);

  void set_address_opener(AddressOpener opener) { open_address_ = std::move(opener); }
  void set_program_end(std::function<void()> end_program) { end_program_ = std::move(end_program); }

  // Loads the settings into the controls, with the enabling rules, the icon and
  // the window's expressions woven in where each belongs.
  void on_main_window_created();
  void on_tray_icon_click(TrayClick click);

 protected:
  // Closing the window saves the settings silently.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void bind_setting_controls();
  void bind_commands();
  void bind_links();
  void paste_clipboard_text();
  void show_help();
  // The newest check report in the desktop's browser; a note when there is none yet.
  void open_newest_report();
  void save_with_message();

  MainForm& form_;
  Window& window_;
  ProgramObjects& objects_;
  TrayIcon tray_icon_;
  AddressOpener open_address_;
  std::function<void()> end_program_;
};
