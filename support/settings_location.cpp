#include "support/settings_location.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace {

std::string variable(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

std::string account_home() {
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr) return {};
  return found->pw_dir == nullptr ? std::string() : std::string(found->pw_dir);
}

// $XDG_CONFIG_HOME when it is an absolute path (the base directory rules ignore
// a relative one), else ~/.config; empty when neither is known.
std::filesystem::path user_configuration_folder(const SettingsEnvironment& environment) {
  const std::filesystem::path configured(environment.xdg_config_home);
  if (configured.is_absolute()) return configured;
  if (environment.home.empty()) return {};
  return std::filesystem::path(environment.home) / ".config";
}

bool is_file(const std::filesystem::path& path) {
  std::error_code ignored;
  return std::filesystem::is_regular_file(path, ignored);
}

// The file system's hierarchy keeps /usr read-only: what the package system put
// there is not written beside, not even by root, who could.
bool is_below_usr(const std::filesystem::path& folder) {
  const std::filesystem::path normal = folder.lexically_normal();
  if (!normal.is_absolute()) return false;
  auto part = normal.begin();
  return ++part != normal.end() && *part == "usr";
}

}  // namespace

SettingsEnvironment SettingsEnvironment::of_this_process() {
  SettingsEnvironment environment{variable("XDG_CONFIG_HOME"), variable("HOME")};
  if (environment.home.empty()) environment.home = account_home();
  return environment;
}

SettingsLocation locate_settings(const std::filesystem::path& program_folder,
                                 const SettingsEnvironment& environment) {
  const std::filesystem::path beside_program = program_folder / kSettingsFileName;
  const std::filesystem::path user_folder = user_configuration_folder(environment);
  // Without a home there is nowhere else; a save there then fails with its message.
  const bool keeps_beside = is_writable_folder(program_folder) && !is_below_usr(program_folder);
  if (keeps_beside || user_folder.empty()) return {beside_program, std::nullopt};

  SettingsLocation location{user_folder / kUserSettingsFolderName / kSettingsFileName, std::nullopt};
  if (!is_file(location.settings_file) && is_file(beside_program)) {
    location.defaults_file = beside_program;
  }
  return location;
}

std::filesystem::path reports_folder(const std::filesystem::path& settings_file) {
  return settings_file.parent_path() / "检测报告";
}

bool is_writable_folder(const std::filesystem::path& folder) {
  struct stat status {};
  if (::stat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) return false;
  struct statvfs file_system {};
  if (::statvfs(folder.c_str(), &file_system) != 0 || (file_system.f_flag & ST_RDONLY) != 0) return false;
  if (::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0) return false;
  return geteuid() != 0 || (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
}
