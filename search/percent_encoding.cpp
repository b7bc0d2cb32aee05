#include "search/percent_encoding.h"

#include "support/gbk.h"

std::string percent_encode(std::string_view bytes) {
  static constexpr char kHexDigits[] = "0123456789ABCDEF";
  std::string encoded;
  encoded.reserve(bytes.size() * 3);
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    encoded.push_back('%');
    encoded.push_back(kHexDigits[byte >> 4]);
    encoded.push_back(kHexDigits[byte & 0x0F]);
  }
  return encoded;
}

std::string percent_encode_utf8(std::string_view gbk_text) {
  return percent_encode(utf8_from_gbk(gbk_text));
}
