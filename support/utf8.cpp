#include "support/utf8.h"

#include <algorithm>

size_t decode_utf8(std::string_view s, char32_t& c) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char lead = byte(0);
  c = kIllFormedUtf8;
  if (lead < 0x80) {
    c = lead;
    return 1;
  }
  size_t length = 0;
  // Bounds of the second byte, which rule out overlong forms, surrogates and
  // values past U+10FFFF.
  unsigned char low = 0x80, high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 1;
  }
  if (s.size() < 2 || byte(1) < low || byte(1) > high) return 1;
  char32_t value = ((lead & (0x7F >> length)) << 6) | (byte(1) & 0x3F);
  for (size_t i = 2; i < length; ++i) {
    if (i >= s.size() || (byte(i) & 0xC0) != 0x80) return i;
    value = (value << 6) | (byte(i) & 0x3F);
  }
  c = value;
  return length;
}

bool is_well_formed_utf8(std::string_view s) {
  while (!s.empty()) {
    char32_t c = 0;
    s.remove_prefix(decode_utf8(s, c));
    if (c == kIllFormedUtf8) return false;
  }
  return true;
}

bool is_utf8_beyond_ascii(std::string_view s) {
  const bool beyond_ascii = std::ranges::any_of(s, [](char byte) { return (byte & 0x80) != 0; });
  return beyond_ascii && is_well_formed_utf8(s);
}
