#pragma once

#include <filesystem>

#include "support/settings_location.h"

// The 主配置.ini the window program would load at start, by the same rule
// (support/settings_location.h): beside this program when its folder can be
// written, else the user's own, or a shipped one beside the program while the
// user has none. Both programs are installed in one folder.
std::filesystem::path window_programs_settings_file();

// Where the window program keeps its 主配置.ini and what it loads at start.
SettingsLocation window_programs_settings_location();
