#pragma once

#include <string>
#include <string_view>

// Conversions of article files and downloaded pages into GBK text. Nothing is
// refused: a character GBK lacks becomes "?", ill-formed input becomes U+FFFD
// (so "?" as well), and the text ends at a U+0000 character.

// UTF-16 little-endian units; ill-formed UTF-8 becomes U+FFFD.
std::string utf8_to_utf16le(std::string_view utf8);

// A base character followed by combining marks is first folded into its
// precomposed form (e, U+0301 gives the GBK "é"). An odd last byte is ignored.
std::string utf16le_to_ansi(std::string_view utf16le);

std::string utf8_to_ansi(std::string_view utf8);

// The same as utf16le_to_ansi of the byte-swapped input.
std::string utf16be_to_ansi(std::string_view utf16be);

// The UTF-16 units in the other byte order; an odd last byte is dropped.
std::string byte_swapped_units(std::string_view utf16);

// `text` without its first byte when that is "?": a UTF-8 byte-order mark that
// reaches a conversion comes out as that "?".
std::string strip_leading_question_mark(std::string_view text);
