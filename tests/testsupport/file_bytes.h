#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Whole-file helpers for tests that prepare inputs and inspect outputs byte for byte.
std::string read_file_bytes(const std::filesystem::path& path);
void write_file_bytes(const std::filesystem::path& path, std::string_view bytes);
