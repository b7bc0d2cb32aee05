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

std::string_view profile_mark(ProfileEncoding encoding) {
  switch (encoding) {
    case ProfileEncoding::gbk:
    case ProfileEncoding::utf8:
      return {};
    case ProfileEncoding::utf8_with_mark:
      return kUtf8Mark;
    case ProfileEncoding::utf16le:
      return kUtf16leMark;
    case ProfileEncoding::utf16be:
      return kUtf16beMark;
  }
  return {};
}

std::string gbk_profile_text(std::string_view bytes, ProfileEncoding encoding) {
  return gbk_from_profile_piece(bytes.substr(profile_mark(encoding).size()), encoding);
}

std::string gbk_from_profile_piece(std::string_view piece, ProfileEncoding encoding) {
  switch (encoding) {
    case ProfileEncoding::gbk:
      return std::string(piece);
    case ProfileEncoding::utf8:
    case ProfileEncoding::utf8_with_mark:
      return gbk_from_utf8(piece);
    case ProfileEncoding::utf16le:
      return utf16le_to_ansi(piece);
    case ProfileEncoding::utf16be:
      return utf16be_to_ansi(piece);
  }
  return std::string(piece);
}

std::string profile_piece(std::string_view gbk_text, ProfileEncoding encoding) {
  switch (encoding) {
    case ProfileEncoding::gbk:
      return std::string(gbk_text);
    case ProfileEncoding::utf8:
    case ProfileEncoding::utf8_with_mark:
      return utf8_from_gbk(gbk_text);
    case ProfileEncoding::utf16le:
      return utf8_to_utf16le(utf8_from_gbk(gbk_text));
    case ProfileEncoding::utf16be:
      return swapped_pairs(utf8_to_utf16le(utf8_from_gbk(gbk_text)));
  }
  return std::string(gbk_text);
}
