#include "batch/utf16_without_mark.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>

namespace {

// The units articles are made of: ASCII text, Latin, Greek and Cyrillic
// letters, quotation marks and dashes, CJK punctuation and kana, CJK
// ideographs and full-width forms. Read in the wrong byte order, Chinese text
// has few of them: its second bytes are spread over all values.
bool is_common_text_unit(uint16_t unit) {
  constexpr std::pair<uint16_t, uint16_t> kRanges[] = {
      {0x0009, 0x000A}, {0x000D, 0x000D}, {0x0020, 0x007E}, {0x00A0, 0x024F}, {0x0370, 0x04FF},
      {0x2010, 0x2027}, {0x2030, 0x205E}, {0x3000, 0x30FF}, {0x4E00, 0x9FFF}, {0xFF00, 0xFFEF},
  };
  return std::ranges::any_of(kRanges, [&](const auto& range) {
    return unit >= range.first && unit <= range.second;
  });
}

}  // namespace

std::optional<FileEncoding> utf16_byte_order(std::string_view bytes) {
  if (bytes.empty() || bytes.size() % 2 != 0) return std::nullopt;
  size_t common_little = 0, common_big = 0;
  // Zero bytes first and second in their unit: an ASCII character's zero byte
  // is its second in little-endian order.
  size_t zeros_first = 0, zeros_second = 0;
  for (size_t at = 0; at < bytes.size(); at += 2) {
    const auto first = static_cast<uint8_t>(bytes[at]);
    const auto second = static_cast<uint8_t>(bytes[at + 1]);
    common_little += is_common_text_unit(static_cast<uint16_t>(second << 8 | first));
    common_big += is_common_text_unit(static_cast<uint16_t>(first << 8 | second));
    zeros_first += first == 0;
    zeros_second += second == 0;
  }
  // Such units in both orders alike (ASCII letters and a few ideographs are
  // each other's swap): the zero bytes of ASCII characters all on one side decide.
  std::optional<FileEncoding> order;
  if (common_little != common_big) {
    order = common_little > common_big ? FileEncoding::utf16le : FileEncoding::utf16be;
  } else if ((zeros_first == 0) != (zeros_second == 0)) {
    order = zeros_first == 0 ? FileEncoding::utf16le : FileEncoding::utf16be;
  }
  const size_t common = order == FileEncoding::utf16le ? common_little : common_big;
  // Arbitrary bytes have about a third of such units in either order.
  if (!order || common * 2 <= bytes.size() / 2) return std::nullopt;
  return order;
}
