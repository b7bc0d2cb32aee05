#pragma once

#include <QObject>
#include <functional>
#include <string>

#include "app/tray_icon.h"

class MainForm;
class QtWindow;
struct ProgramObjects;

// The main window's own behaviour: what its creation and closing do, the enabling
// rules behind its check boxes and proxy choice, and its small commands (paste,
// save, help, links, the notification-area icon).
class WindowEvents : public QObject {
  Q_OBJECT

 public:
  // False when the desktop has no program to open the address with.
  using AddressOpener = std::function<bool(const std::string& address)>;

  // Binds the controls' events. Addresses open in the system's handler for them
  // until set otherwise. From now on the program ends only through end_program:
  // Qt would otherwise end it, unsaved, whenever its last visible window closes,
  // a message box among them while the main window is hidden.
  WindowEvents(MainForm& form, QtWindow& window, ProgramObjects& objects);

  void set_address_opener(AddressOpener opener) { open_address_ = std::move(opener); }

  // Loads the settings into the controls, with the enabling rules, the icon and
  // the window's expressions woven in where each belongs.
  void on_main_window_created();
  void on_tray_icon_click(TrayClick click);

  // Closing the window and OK at the icon's quit prompt end the program: a run
  // going on is stopped as its stop click would stop it, no box is shown any more,
  // the settings are saved silently, and the event loop ends with 0 as soon as
  // the run has unwound back to it (a run nests inside an event handler).
  void end_program();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void bind_setting_controls();
  void bind_commands();
  void bind_links();
  void paste_clipboard_text();
  void show_help();
  // The newest check report in the desktop's browser; a note when there is none yet.
  void open_newest_report();
  // When no program opens it, the user is told where the file is, to open it himself.
  void open_address(const std::string& address);
  void save_with_message();

  MainForm& form_;
  QtWindow& window_;
  ProgramObjects& objects_;
  TrayIcon tray_icon_;
  AddressOpener open_address_;
};
