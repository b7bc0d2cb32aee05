#include "cli/settings_location.h"

SettingsLocation window_programs_settings_location() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  return locate_settings(program.parent_path(), SettingsEnvironment::of_this_process());
}

std::filesystem::path window_programs_settings_file() {
  return window_programs_settings_location().file_to_load();
}
