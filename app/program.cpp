#include "app/program.h"

#include <QApplication>
#include <cstdio>
#include <cstring>

#include "app/browser_sandbox.h"
#include "app/configuration_path.h"
#include "app/main_window.h"
#include "app/program_objects.h"
#include "app/self_check.h"

namespace {

constexpr char kHelpText[] =
    "Usage: originality-checker [--self-check | --help | --version]\n"
    "Opens the window of 原创文章检测器: it judges whether an article is original by\n"
    "searching sampled sentences on a search engine.\n"
    "\n"
    "  --self-check  start, check that the embedded browser loads and the settings\n"
    "                can be saved, report on standard output and exit (0: both work)\n"
    "  --help        show this text and exit\n"
    "  --version     show the version and exit\n"
    "\n"
    "Checks without a window, on a server or in a script: originality-check --help\n";

// Answered before the application starts, so that they work without a display.
bool answered_without_window(int argc, char* argv[]) {
  if (argc != 2) return false;
  if (std::strcmp(argv[1], "--help") == 0) {
    std::fputs(kHelpText, stdout);
    return true;
  }
  if (std::strcmp(argv[1], "--version") == 0) {
    std::printf("originality-checker %s\n", PROGRAM_VERSION);
    return true;
  }
  return false;
}

}  // namespace

int program_main(int argc, char* argv[]) {
  if (answered_without_window(argc, argv)) return 0;
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
