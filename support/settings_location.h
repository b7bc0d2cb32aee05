#pragma once

#include <filesystem>
#include <optional>
#include <string>

// Where a program keeps 主配置.ini, and with it the check reports. A copy that
// can write its own folder keeps them beside itself (a portable copy); one that
// cannot, or lies below /usr (installed system-wide), keeps them in the user's
// configuration folder, and reads a 主配置.ini shipped beside it as the defaults
// until the user's own file exists. Paths are native bytes.

inline constexpr char kSettingsFileName[] = "主配置.ini";
// The user's folder below $XDG_CONFIG_HOME (by default ~/.config).
inline constexpr char kUserSettingsFolderName[] = "原创文章检测器";

// The parts of the environment the rule looks at; empty when unset.
struct SettingsEnvironment {
  std::string xdg_config_home;
  std::string home;

  // This process's: $XDG_CONFIG_HOME, and $HOME or else the account's home.
  static SettingsEnvironment of_this_process();
};

struct SettingsLocation {
  // The 主配置.ini that settings are read from and saved to.
  std::filesystem::path settings_file;
  // A shipped 主配置.ini to read instead while settings_file does not exist yet.
  std::optional<std::filesystem::path> defaults_file;

  // The file the settings are loaded from at start.
  const std::filesystem::path& file_to_load() const { return defaults_file ? *defaults_file : settings_file; }
  // The folder that holds 主配置.ini.
  std::filesystem::path folder() const { return settings_file.parent_path(); }
};

SettingsLocation locate_settings(const std::filesystem::path& program_folder,
                                 const SettingsEnvironment& environment);

// The folder beside 主配置.ini that receives the check reports.
std::filesystem::path reports_folder(const std::filesystem::path& settings_file);

// Whether this process may create files in `folder`. Root passes every
// permission check, so for root a folder that grants nobody write access counts
// as read-only too, as does anything on a read-only mount.
bool is_writable_folder(const std::filesystem::path& folder);
