#include "support/gbk.h"
#include "support/utf8.h"

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

TEST(Utf8Decoding, WellFormedSequencesAndMaximalIllFormedPieces) {
  char32_t c = 0;
  EXPECT_EQ(decode_utf8("a", c), 1u);
  EXPECT_EQ(c, U'a');
  EXPECT_EQ(decode_utf8("中", c), 3u);
  EXPECT_EQ(c, U'中');
  EXPECT_EQ(decode_utf8("😀", c), 4u);
  EXPECT_EQ(c, U'😀');
  // A three-byte start cut short is one piece; an overlong or surrogate form stops at its lead.
  EXPECT_EQ(decode_utf8("\xE4\xB8", c), 2u);
  EXPECT_EQ(c, kIllFormedUtf8);
  EXPECT_EQ(decode_utf8("\xE0\x80\x80", c), 1u);
  EXPECT_EQ(decode_utf8("\xED\xA0\x80", c), 1u);
  EXPECT_EQ(decode_utf8("\x80", c), 1u);
  EXPECT_EQ(decode_utf8("\xF4\x90\x80\x80", c), 1u);  // past U+10FFFF
}
