#pragma once

#include <cstddef>
#include <string_view>

// Marks a sequence that decode_utf8 could not read.
inline constexpr char32_t kIllFormedUtf8 = 0xFFFFFFFF;

// Decodes the UTF-8 sequence at the start of `s` (not empty) into `c` and returns
// its length. An ill-formed sequence leaves `c` at kIllFormedUtf8 and returns the
// length of its longest start that could still have become well-formed (at
// least 1), which is replaced as one unit, as Unicode recommends.
size_t decode_utf8(std::string_view s, char32_t& c);

// True when every byte of `s` belongs to a well-formed UTF-8 sequence.
bool is_well_formed_utf8(std::string_view s);

// True when `s` is well-formed UTF-8 with at least one character beyond ASCII:
// text that is UTF-8 rather than GBK, as GBK Chinese text of any length is
// practically never well-formed UTF-8. Plain ASCII reads the same either way.
bool is_utf8_beyond_ascii(std::string_view s);
