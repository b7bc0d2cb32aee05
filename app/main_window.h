#pragma once

#include <optional>

#include "app/main_form.h"
#include "app/qt_window.h"
#include "app/window_events.h"
#include "batch/batch_buttons.h"
#include "check/check_context.h"
#include "search/cached_answers.h"
#include "search/engine_query.h"

struct ProgramObjects;

// The main window as the program runs it: the form, the interface the core sees,
// the window's behaviour and the check that its button starts. Creating it is
// the window's creation event, so the settings are loaded when the constructor
// returns; showing it is the caller's.
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
  EngineQuery engine_query_;
  // Beside 主配置.ini, unless [结果缓存] turns it off.
  std::optional<CachedAnswers> cached_answers_;
  CheckContext check_context_;
  BatchButtons batch_buttons_;
};
