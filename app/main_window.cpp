#include "app/main_window.h"

#include <QPushButton>

#include "app/program_objects.h"
#include "check/check_button.h"

MainWindow::MainWindow(ProgramObjects& objects)
    : window_(form_),
      events_(form_, window_, objects),
      engine_query_(window_, objects.stop_requested, objects.expressions.tag),
      check_context_{window_, objects.stop_requested, objects.expressions, objects.seeder,
                     [this](std::string_view sentence, int engine_index) {
                       return engine_query_.is_sentence_indexed(sentence, engine_index);
                     }},
      batch_buttons_(check_context_) {
  check_context_.reports = &objects.reports;
  if (objects.cache_settings.enabled) {
    cached_answers_.emplace(window_, cache_file_beside(objects.configuration_path), objects.cache_settings);
    check_context_.remembered = &*cached_answers_;
  }
  events_.on_main_window_created();
  QObject::connect(form_.按钮立即检测, &QPushButton::clicked, &form_,
                   [this] { on_check_button_clicked(check_context_); });
  QObject::connect(form_.按钮选择文件, &QPushButton::clicked, &form_,
                   [this] { batch_buttons_.start_file_batch(); });
  QObject::connect(form_.按钮选择文件夹, &QPushButton::clicked, &form_,
                   [this] { batch_buttons_.start_folder_batch(); });
}
