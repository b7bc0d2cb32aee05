#pragma once

#include <filesystem>
#include <optional>
#include <string>

// All bytes of a regular file, opened for reading only (read-only files load)
// and without blocking; nothing when it cannot be opened or read, or is not a
// regular file (a folder, a pipe that would wait forever).
std::optional<std::string> read_whole_file(const std::filesystem::path& path);
