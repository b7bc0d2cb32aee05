#include "app/program.h"

#include <QApplication>

#include "app/browser_sandbox.h"
#include "app/configuration_path.h"
#include "app/main_window.h"
#include "app/program_objects.h"

int program_main(int argc, char* argv[]) {
  allow_browser_as_root();
  QApplication application(argc, argv);
  ProgramObjects objects(configuration_path_beside_program());
  MainWindow main_window(objects);
  main_window.form().show();
  QApplication::exec();
  return 0;
}
