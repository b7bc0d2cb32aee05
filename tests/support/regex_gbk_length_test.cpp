#include "support/regex_gbk_length.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/gbk.h"

namespace {

size_t character_count(std::string_view utf8) {
  size_t count = 0;
  for (const char byte : utf8) count += (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
  return count;
}

// Every byte on its own, and every pair that utf8_from_gbk reads as one character.
std::vector<std::string> every_gbk_unit(bool with_single_bytes_outside_ascii) {
  std::vector<std::string> units;
  for (int first = 0; first < 256; ++first) {
    const std::string single(1, static_cast<char>(first));
    if (first < 0x80 || with_single_bytes_outside_ascii) units.push_back(single);
    for (int second = 0; second < 256; ++second) {
      const std::string pair = single + static_cast<char>(second);
      if (character_count(utf8_from_gbk(pair)) == 1) units.push_back(pair);
    }
  }
  return units;
}

// Each unit of a text made of `units` measures as many bytes as it has. A space
// goes between units so that none joins the next: no byte below 0x40 ends a pair.
void expect_every_unit_measures_its_bytes(const std::vector<std::string>& units) {
  std::string gbk_text;
  for (const std::string& unit : units) gbk_text += unit + " ";
  const std::string utf8 = utf8_from_gbk(gbk_text);
  const GbkLengths lengths(gbk_text, utf8);
  EXPECT_EQ(lengths.of(utf8), gbk_text.size());
  size_t offset = 0;
  for (const std::string& unit : units) {
    const size_t converted_size = utf8_from_gbk(unit).size();
    ASSERT_EQ(lengths.of(std::string_view(utf8).substr(offset, converted_size)), unit.size())
        << "unit " << std::hex << static_cast<int>(static_cast<unsigned char>(unit[0]));
    offset += converted_size + 1;
  }
}

TEST(RegexGbkLength, EveryPairAndAsciiByteMeasuresItsBytes) {
  expect_every_unit_measures_its_bytes(every_gbk_unit(false));
}

TEST(RegexGbkLength, EveryUnitMeasuresItsBytesBesideSingleBytesOutsideAscii) {
  // 0x80 and the bytes GBK cannot read are characters of one byte outside ASCII.
  expect_every_unit_measures_its_bytes(every_gbk_unit(true));
}

TEST(RegexGbkLength, RunsInsideAText) {
  const std::string text = gbk("原创a\t。") + "\x80" + gbk("文") + "\xFF";
  const std::string utf8 = utf8_from_gbk(text);
  const GbkLengths lengths(text, utf8);
  EXPECT_EQ(lengths.of(std::string_view(utf8).substr(0, 6)), 4u);   // 原创
  EXPECT_EQ(lengths.of(std::string_view(utf8).substr(6, 5)), 4u);   // a, tab, 。
  EXPECT_EQ(lengths.of(std::string_view(utf8).substr(11, 3)), 1u);  // the euro sign of 0x80
  EXPECT_EQ(lengths.of(std::string_view(utf8).substr(14)), 3u);     // 文 and U+FFFD
  EXPECT_EQ(lengths.of(""), 0u);
}

}  // namespace
