#pragma once

#include <filesystem>

// 主配置.ini in the folder of the running program: the file the window program
// keeps beside itself, since both programs are installed in one folder.
std::filesystem::path settings_file_beside_program();
