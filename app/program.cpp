#include "app/program.h"

#include <QApplication>
#include <cstring>

#include "app/browser_sandbox.h"
#include "app/configuration_path.h"
#include "app/main_window.h"
#include "app/program_objects.h"
#include "app/self_check.h"

int program_main(int argc, char* argv[]) {
  allow_browser_as_root();
  QApplication application(argc, argv);
  const SettingsLocation settings_location = settings_location_of_this_program();
  // Made now, so that the first save and the link to the folder find it; when it
  // cannot be made, the save says so.
  std::error_code not_made;
  std::filesystem::create_directories(settings_location.folder(), not_made);
  ProgramObjects objects(settings_location);
  MainWindow main_window(objects);
  main_window.form().show();
  if (argc == 2 && std::strcmp(argv[1], kSelfCheckOption) == 0) {
    return run_self_check(main_window.window(), objects);
  }
  QApplication::exec();
  return 0;
}
