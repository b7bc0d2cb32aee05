#pragma once

#include "app/main_form.h"
#include "app/qt_window.h"
#include "app/window_events.h"

struct ProgramObjects;

// The main window as the program runs it: the form, the interface the core sees,
// and the window's behaviour. Creating it is the window's creation event, so the
// settings are loaded when the constructor returns; showing it is the caller's.
class MainWindow {
 public:
  explicit MainWindow(ProgramObjects& objects);

  MainForm& form() { return form_; }
  QtWindow& window() { return window_; }
  WindowEvents& events() { return events_; }

 private:
  MainForm form_;
  QtWindow window_;
  WindowEvents events_;
};
