#include "support/regex_gbk_length.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "support/gbk.h"

// utf8_from_gbk turns every GBK character, and every byte it cannot read, into one
// character. An ASCII character stands for one byte, and so does each of the few
// characters that a byte of 0x80 or above turns into on its own (U+FFFD for a byte
// it cannot read, the euro sign for 0x80); every other character stands for a pair.

namespace {

// The sum of the eight bytes of `lanes`.
size_t sum_of_byte_lanes(uint64_t lanes) {
  const uint64_t sixteen_bit_lanes = (lanes & 0x00FF00FF00FF00FF) + ((lanes >> 8) & 0x00FF00FF00FF00FF);
  return static_cast<size_t>((sixteen_bit_lanes * 0x0001000100010001) >> 48);
}

// The length if every character outside ASCII stands for a pair: one per ASCII
// byte, two per first byte of any other character (0xC0 and above). It runs over
// the whole text, so it counts eight bytes at a time, each in its own byte lane.
size_t length_counting_pairs(std::string_view utf8) {
  constexpr uint64_t kHighBits = 0x8080808080808080;
  constexpr int kWordsBeforeLanesFill = 127;  // a lane gains at most two a word
  size_t length = 0;
  size_t i = 0;
  while (i + 8 <= utf8.size()) {
    uint64_t lanes = 0;
    for (int words = 0; words < kWordsBeforeLanesFill && i + 8 <= utf8.size(); ++words, i += 8) {
      uint64_t word;
      std::memcpy(&word, utf8.data() + i, 8);
      lanes += ((~word & kHighBits) >> 7) + ((word & (word << 1) & kHighBits) >> 6);
    }
    length += sum_of_byte_lanes(lanes);
  }
  for (; i < utf8.size(); ++i) {
    const auto byte = static_cast<uint8_t>(utf8[i]);
    length += byte < 0x80 ? 1 : byte >= 0xC0 ? 2 : 0;
  }
  return length;
}

class SingleByteCharacters {
 public:
  SingleByteCharacters() {
    for (int byte = 0x80; byte < 0x100; ++byte) {
      const std::string utf8 = utf8_from_gbk(std::string(1, static_cast<char>(byte)));
      if (std::find(characters_.begin(), characters_.end(), utf8) == characters_.end()) {
        characters_.push_back(utf8);
      }
    }
  }

  bool starts(std::string_view utf8) const {
    return std::any_of(characters_.begin(), characters_.end(),
                       [&](const std::string& character) { return utf8.starts_with(character); });
  }

 private:
  std::vector<std::string> characters_;
};

size_t length_character_by_character(std::string_view utf8) {
  static const SingleByteCharacters single_byte_characters;
  size_t length = 0;
  for (size_t i = 0; i < utf8.size(); ++i) {
    const auto byte = static_cast<uint8_t>(utf8[i]);
    if (byte < 0x80) {
      ++length;
    } else if (byte >= 0xC0) {
      length += single_byte_characters.starts(utf8.substr(i)) ? 1 : 2;
    }
  }
  return length;
}

}  // namespace

// Counting every character outside ASCII as a pair overshoots by one for each
// single-byte one, so when the whole text comes out right there is none, and the
// fast count is exact for every part of it.
GbkLengths::GbkLengths(std::string_view gbk, std::string_view utf8)
    : every_character_outside_ascii_is_a_pair_(length_counting_pairs(utf8) == gbk.size()) {}

size_t GbkLengths::of(std::string_view run) const {
  return every_character_outside_ascii_is_a_pair_ ? length_counting_pairs(run)
                                                  : length_character_by_character(run);
}
