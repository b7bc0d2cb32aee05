#pragma once

#include <filesystem>
#include <string>

// The parts of a batch file's path, split at the last "/". Paths are native
// bytes; only the title, which the window shows and the engine searches, is GBK.

// The path before the last "/"; empty when there is none ("/a.txt" gives empty
// too, so folder + "/" + name puts a name back in the root).
std::filesystem::path directory_of(const std::filesystem::path& path);

// The path after the last "/"; the whole path when there is none.
std::filesystem::path file_name_of(const std::filesystem::path& path);

// The file name up to its last "."; the whole name when it has none, empty for
// ".txt". As GBK text, with "?" for every character GBK lacks.
std::string title_of(const std::filesystem::path& path);
