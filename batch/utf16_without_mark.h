#pragma once

#include <optional>
#include <string_view>

#include "batch/file_encoding.h"

// The byte order of UTF-16 text saved without a byte-order mark, told from its
// bytes: utf16le or utf16be, or nothing when they do not look like UTF-16 text
// (an odd count, or too few units of the scripts articles are written in, in
// either order). Whether every surrogate is paired is not looked at here.
std::optional<FileEncoding> utf16_byte_order(std::string_view bytes);
