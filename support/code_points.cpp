#include "support/code_points.h"

#include <cstdlib>
#include <memory>
#include <utility>

#include <utf8proc.h>

#include "support/utf8.h"

namespace {

const utf8proc_uint8_t* as_utf8proc_bytes(const char* bytes) {
  return reinterpret_cast<const utf8proc_uint8_t*>(bytes);
}

// Normalisation form C: canonical decomposition, reordering of the marks, composition.
constexpr auto kCanonicalComposition = static_cast<utf8proc_option_t>(UTF8PROC_STABLE | UTF8PROC_COMPOSE);

bool is_combining_mark(char32_t code_point) {
  return utf8proc_get_property(static_cast<utf8proc_int32_t>(code_point))->combining_class != 0;
}

void append_utf8(std::string& out, char32_t code_point) {
  utf8proc_uint8_t bytes[4];
  const utf8proc_ssize_t length = utf8proc_encode_char(static_cast<utf8proc_int32_t>(code_point), bytes);
  out.append(reinterpret_cast<const char*>(bytes), static_cast<size_t>(length));
}

// Canonical composition of one base character with the marks that follow it.
void append_composed(std::string& out, std::u32string_view cluster) {
  std::string utf8;
  for (const char32_t code_point : cluster) append_utf8(utf8, code_point);
  utf8proc_uint8_t* composed = nullptr;
  const utf8proc_ssize_t length =
      utf8proc_map(as_utf8proc_bytes(utf8.data()), static_cast<utf8proc_ssize_t>(utf8.size()), &composed,
                   kCanonicalComposition);
  const std::unique_ptr<utf8proc_uint8_t, decltype(&std::free)> owner(composed, &std::free);
  // The cluster is valid Unicode, so this cannot fail short of memory; keep it uncomposed then.
  if (length < 0) {
    out.append(utf8);
    return;
  }
  out.append(reinterpret_cast<const char*>(composed), static_cast<size_t>(length));
}

bool is_high_surrogate(char32_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool is_low_surrogate(char32_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The `i`th unit of UTF-16 little-endian bytes.
char32_t utf16le_unit(std::string_view bytes, size_t i) {
  return static_cast<char32_t>(static_cast<unsigned char>(bytes[2 * i]) |
                               static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
}

}  // namespace

std::u32string code_points_from_utf8(std::string_view utf8) {
  std::u32string code_points;
  code_points.reserve(utf8.size());
  size_t at = 0;
  while (at < utf8.size()) {
    char32_t code_point = 0;
    at += decode_utf8(utf8.substr(at), code_point);
    code_points.push_back(code_point == kIllFormedUtf8 ? kReplacementCharacter : code_point);
  }
  return code_points;
}

std::u32string code_points_from_utf16le(std::string_view bytes) {
  const size_t unit_count = bytes.size() / 2;
  const auto unit = [&](size_t i) { return utf16le_unit(bytes, i); };
  std::u32string code_points;
  code_points.reserve(unit_count);
  for (size_t i = 0; i < unit_count; ++i) {
    const char32_t first = unit(i);
    if (is_high_surrogate(first) && i + 1 < unit_count && is_low_surrogate(unit(i + 1))) {
      code_points.push_back(0x10000 + ((first - 0xD800) << 10) + (unit(i + 1) - 0xDC00));
      ++i;
    } else if (is_high_surrogate(first) || is_low_surrogate(first)) {
      code_points.push_back(kReplacementCharacter);
    } else {
      code_points.push_back(first);
    }
  }
  return code_points;
}

bool is_well_formed_utf16le(std::string_view bytes) {
  if (bytes.size() % 2 != 0) return false;
  const size_t unit_count = bytes.size() / 2;
  for (size_t i = 0; i < unit_count; ++i) {
    const char32_t unit = utf16le_unit(bytes, i);
    if (is_low_surrogate(unit)) return false;
    if (!is_high_surrogate(unit)) continue;
    if (i + 1 == unit_count || !is_low_surrogate(utf16le_unit(bytes, i + 1))) return false;
    ++i;
  }
  return true;
}

std::string utf16le_from_code_points(std::u32string_view code_points) {
  std::string bytes;
  bytes.reserve(code_points.size() * 2);
  const auto append_unit = [&](char32_t unit) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  };
  for (const char32_t code_point : code_points) {
    if (code_point < 0x10000) {
      append_unit(code_point);
      continue;
    }
    const char32_t offset = code_point - 0x10000;
    append_unit(0xD800 + (offset >> 10));
    append_unit(0xDC00 + (offset & 0x3FF));
  }
  return bytes;
}

std::string utf8_composing_marks(std::u32string_view code_points) {
  std::string utf8;
  utf8.reserve(code_points.size() * 3);
  size_t at = 0;
  while (at < code_points.size()) {
    size_t end = at + 1;
    while (end < code_points.size() && is_combining_mark(code_points[end])) ++end;
    if (end - at == 1) {
      append_utf8(utf8, code_points[at]);
    } else {
      append_composed(utf8, code_points.substr(at, end - at));
    }
    at = end;
  }
  return utf8;
}
