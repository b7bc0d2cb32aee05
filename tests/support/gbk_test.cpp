#include "support/gbk.h"

#include <gtest/gtest.h>

TEST(GbkConversion, RoundTripsChineseAndAscii) {
  const std::string gbk_text = gbk_from_utf8("原创abc，萬。");
  EXPECT_EQ(gbk_text,
            "\xD4\xAD\xB4\xB4"
            "abc\xA3\xAC\xC8\x66\xA1\xA3");
  EXPECT_EQ(utf8_from_gbk(gbk_text), "原创abc，萬。");
}

TEST(GbkConversion, CharactersGbkLacksAndBrokenUtf8BecomeQuestionMarks) {
  EXPECT_EQ(gbk_from_utf8("a😀b"), "a?b");
  EXPECT_EQ(gbk_from_utf8("a\xFF"
                          "b"),
            "a?b");
  EXPECT_EQ(gbk_from_utf8("a\xE4\xB8"), "a?");  // cut off inside a character
}

TEST(GbkConversion, InvalidGbkBytesBecomeReplacementCharacters) {
  EXPECT_EQ(utf8_from_gbk("a\xFF"), "a\xEF\xBF\xBD");
  EXPECT_EQ(utf8_from_gbk("a\xD6"), "a\xEF\xBF\xBD");  // lead byte without its trail
}
