#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Whole-file reads and crash-safe whole-file writes. Paths are native bytes.

// All bytes of a regular file, opened for reading only (read-only files load)
// and without blocking; nothing when it cannot be opened or read, or is not a
// regular file (a folder, a pipe that would wait forever); errno then says why.
std::optional<std::string> read_whole_file(const std::filesystem::path& path);

// Replaces (or creates) `target` with `bytes` in one step: they are written and
// flushed under a hidden name in the same directory, which is then renamed over
// `target`. A crash or a full disk on the way leaves the old file whole and no
// partial file under the final name. The replacement keeps the old file's
// permissions. False, with nothing changed, on any failure.
bool replace_file_atomically(const std::filesystem::path& target, std::string_view bytes);
