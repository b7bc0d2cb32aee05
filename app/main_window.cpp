#include "app/main_window.h"

MainWindow::MainWindow(ProgramObjects& objects) : window_(form_), events_(form_, window_, objects) {
  events_.on_main_window_created();
}
