#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Searches for marked pieces of GBK text (file heads, page heads, meta tags).
// Every search ignores the case of ASCII letters and starts matches only at
// character boundaries. Positions are 1-based byte positions; 0 also means the
// beginning.

// The declarations of a UTF-8 page, a "[fg]" list to be read after fix_quotes:
// the value bare, or in double quotes.
inline constexpr std::string_view kUtf8CharsetList = "charset=utf-8[fg]charset=''utf-8''";

// The text strictly between the first `start_marker` at or after `position` and
// the next `end_marker` after it; `position` then moves just past the end
// marker (a character boundary, ready for the next call). When either marker
// is missing the result is empty and `position` stays.
std::string text_between(std::string_view text, std::string_view start_marker, std::string_view end_marker,
                         size_t& position);
std::string text_between(std::string_view text, std::string_view start_marker, std::string_view end_marker);

// text_between, and when a marker is missing once more from the same position
// with the double quotes removed from both markers: pages also write quoted
// attribute values bare. When both markers are found the first result stands,
// even when empty.
std::string text_between_retry(std::string_view text, std::string_view start_marker,
                               std::string_view end_marker, size_t& position);

// Every pair of single quotes becomes one double quote: lets C-style literals
// spell a double quote.
std::string fix_quotes(std::string_view text);

// True when the text declares the charset UTF-8 as kUtf8CharsetList lists it,
// in any case.
bool has_utf8_charset(std::string_view text);

// The name of the charset that the text declares first, lower-cased: "big5" of
// `charset=Big5`, bare or in double quotes as with has_utf8_charset; empty when
// it declares none.
std::string declared_charset(std::string_view text);
