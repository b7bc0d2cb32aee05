#include "cli/settings_location.h"

std::filesystem::path settings_file_beside_program() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  return program.parent_path() / "主配置.ini";
}
