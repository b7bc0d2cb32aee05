#include "support/profile_encoding.h"

#include <utility>

#include "support/gbk.h"
#include "support/text_conversions.h"
#include "support/utf8.h"

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16leMark = "\xFF\xFE";
constexpr std::string_view kUtf16beMark = "\xFE\xFF";

std::string swapped_pairs(std::string bytes) {
  for (size_t at = 0; at + 1 < bytes.size(); at += 2) std::swap(bytes[at], bytes[at + 1]);
  return bytes;
}

}  // namespace

ProfileEncoding profile_encoding_of(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Mark)) return ProfileEncoding::utf8_with_mark;
  if (bytes.starts_with(kUtf16leMark)) return ProfileEncoding::utf16le;
  if (bytes.starts_with(kUtf16beMark)) return ProfileEncoding::utf16be;
  if (is_utf8_beyond_ascii(bytes)) return ProfileEncoding::utf8;
  return ProfileEncoding::gbk;
}

std::string gbk_profile_text(std::string_view bytes, ProfileEncoding encoding) {
  switch (encoding) {
    case ProfileEncoding::gbk:
      return std::string(bytes);
    case ProfileEncoding::utf8:
      return gbk_from_utf8(bytes);
    case ProfileEncoding::utf8_with_mark:
      return gbk_from_utf8(bytes.substr(kUtf8Mark.size()));
    case ProfileEncoding::utf16le:
      return utf16le_to_ansi(bytes.substr(kUtf16leMark.size()));
    case ProfileEncoding::utf16be:
      return utf16be_to_ansi(bytes.substr(kUtf16beMark.size()));
  }
  return std::string(bytes);
}

std::string profile_bytes(std::string_view gbk_text, ProfileEncoding encoding) {
  switch (encoding) {
    case ProfileEncoding::gbk:
      return std::string(gbk_text);
    case ProfileEncoding::utf8:
      return utf8_from_gbk(gbk_text);
    case ProfileEncoding::utf8_with_mark:
      return std::string(kUtf8Mark) + utf8_from_gbk(gbk_text);
    case ProfileEncoding::utf16le:
      return std::string(kUtf16leMark) + utf8_to_utf16le(utf8_from_gbk(gbk_text));
    case ProfileEncoding::utf16be:
      return std::string(kUtf16beMark) + swapped_pairs(utf8_to_utf16le(utf8_from_gbk(gbk_text)));
  }
  return std::string(gbk_text);
}
