#pragma once

#include <optional>
#include <string>
#include <string_view>

// Text in a character set named as files name it ("big5", "shift_jis"), read
// through iconv.

// True when iconv can read text in `charset`.
bool is_known_charset(const std::string& charset);

// `bytes` in `charset` as UTF-8; nothing when they are not valid text in it (a
// sequence it has no character for, or one cut short at the end) or iconv does
// not know it.
std::optional<std::string> utf8_from_charset(std::string_view bytes, const std::string& charset);
