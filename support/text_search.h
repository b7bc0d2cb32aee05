#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Searching GBK text: a match may start only at a character boundary (a byte of
// 0x80 or above takes the next byte with it), and ASCII letters compare without
// regard to case while every other byte compares exactly.

// Byte offset of the first match of `item` at or after `from` (which must be a
// character boundary), or std::string_view::npos. An empty item matches at
// `from` when from < text.size().
size_t find_ignoring_ascii_case(std::string_view text, std::string_view item, size_t from = 0);

// The same search comparing every byte exactly.
size_t find_exact(std::string_view text, std::string_view item, size_t from = 0);

// Every occurrence of `from` (found at character boundaries, exact bytes)
// replaced by `to`, scanning left to right.
std::string replace_all_exact(std::string_view text, std::string_view from, std::string_view to);
