#pragma once

#include <string>
#include <string_view>

// Conversions between the core's GBK text and UTF-8, used wherever text leaves
// or enters the core (widgets, the regex engine, string literals in our source).

// Every character GBK lacks becomes "?", and so does every ill-formed UTF-8
// sequence (as the replacement character would).
std::string gbk_from_utf8(std::string_view utf8);

// Bytes that are not valid GBK become U+FFFD, so the output is always valid UTF-8.
std::string utf8_from_gbk(std::string_view gbk);

// True when every byte of `gbk` belongs to a GBK character, as utf8_from_gbk
// reads them (so it would put no U+FFFD). Plain ASCII is GBK.
bool is_well_formed_gbk(std::string_view gbk);

// A GBK copy of a UTF-8 literal from our source, e.g. gbk("真").
inline std::string gbk(std::string_view utf8_literal) {
  return gbk_from_utf8(utf8_literal);
}
