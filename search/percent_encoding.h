#pragma once

#include <string>
#include <string_view>

// Every byte, letters and digits included, as "%" and two upper-case hex digits.
std::string percent_encode(std::string_view bytes);

// The GBK text's UTF-8 bytes, percent-encoded.
std::string percent_encode_utf8(std::string_view gbk_text);
