#pragma once

#include <filesystem>

// 主配置.ini in the folder of the running program, as the file system's bytes.
// Needs the application object.
std::filesystem::path configuration_path_beside_program();
