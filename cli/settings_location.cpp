#include "cli/settings_location.h"

#include "support/settings_location.h"

std::filesystem::path window_programs_settings_file() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  return locate_settings(program.parent_path(), SettingsEnvironment::of_this_process()).file_to_load();
}
