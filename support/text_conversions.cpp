#include "support/text_conversions.h"

#include <utility>

#include "support/code_points.h"
#include "support/gbk.h"

std::string utf8_to_utf16le(std::string_view utf8) {
  return utf16le_from_code_points(code_points_from_utf8(utf8));
}

std::string utf16le_to_ansi(std::string_view utf16le) {
  const std::u32string code_points = code_points_from_utf16le(utf16le);
  const std::u32string_view text = std::u32string_view(code_points).substr(0, code_points.find(U'\0'));
  return gbk_from_utf8(utf8_composing_marks(text));
}

std::string utf8_to_ansi(std::string_view utf8) {
  return utf16le_to_ansi(utf8_to_utf16le(utf8));
}

std::string utf16be_to_ansi(std::string_view utf16be) {
  return utf16le_to_ansi(byte_swapped_units(utf16be));
}

std::string byte_swapped_units(std::string_view utf16) {
  std::string swapped(utf16.substr(0, utf16.size() / 2 * 2));
  for (size_t at = 0; at < swapped.size(); at += 2) std::swap(swapped[at], swapped[at + 1]);
  return swapped;
}

std::string strip_leading_question_mark(std::string_view text) {
  if (text.starts_with('?')) text.remove_prefix(1);
  return std::string(text);
}
