#include "support/text_conversions.h"

#include <gtest/gtest.h>

#include "support/gbk.h"
#include "tests/batch/utf16_bytes.h"

namespace {

const std::string kOriginalGbk = "\xD4\xAD\xB4\xB4";  // 原创

TEST(Utf8ToUtf16le, ConvertsEveryPlane) {
  EXPECT_EQ(utf8_to_utf16le(""), "");
  EXPECT_EQ(utf8_to_utf16le("a原"), utf16le(u"a原"));
  EXPECT_EQ(utf8_to_utf16le("\xF0\x9F\x98\x80"), utf16le(u"\xD83D\xDE00"));  // U+1F600 as a surrogate pair
}

TEST(Utf8ToUtf16le, IllFormedPiecesBecomeOneReplacementCharacterEach) {
  EXPECT_EQ(utf8_to_utf16le("a\xFF"
                            "b"),
            utf16le(u"a\xFFFD"
                    "b"));
  // A cut-off character is one piece; the byte that broke it off starts the next.
  EXPECT_EQ(utf8_to_utf16le("\xE5\x8E"
                            "b"),
            utf16le(u"\xFFFD"
                    "b"));
  EXPECT_EQ(utf8_to_utf16le("\xE5\x8E"), utf16le(u"\xFFFD"));
  // Overlong forms and encoded surrogates are refused byte by byte.
  EXPECT_EQ(utf8_to_utf16le("\xC0\x80"), utf16le(u"\xFFFD\xFFFD"));
  EXPECT_EQ(utf8_to_utf16le("\xED\xA0\x80"), utf16le(u"\xFFFD\xFFFD\xFFFD"));
  EXPECT_EQ(utf8_to_utf16le("\xF4\x90\x80\x80"), utf16le(u"\xFFFD\xFFFD\xFFFD\xFFFD"));
}

TEST(Utf16leToAnsi, ConvertsToGbkWithQuestionMarksForWhatGbkLacks) {
  EXPECT_EQ(utf16le_to_ansi(utf16le(u"原创abc")), kOriginalGbk + "abc");
  EXPECT_EQ(utf16le_to_ansi(utf16le(u"a\xD83D\xDE00"
                                    "b")),
            "a?b");
  EXPECT_EQ(utf16le_to_ansi(utf16le(u"a\x0E01")), "a?");  // Thai
  EXPECT_EQ(utf16le_to_ansi(""), "");
}

TEST(Utf16leToAnsi, UnpairedSurrogatesOddByteAndZeroUnit) {
  EXPECT_EQ(utf16le_to_ansi(utf16le(u"a\xD83D"
                                    "b\xDE00")),
            "a?b?");
  EXPECT_EQ(utf16le_to_ansi(utf16le(u"ab") + "c"), "ab");
  EXPECT_EQ(utf16le_to_ansi(utf16le(std::u16string_view(u"ab\0cd", 5))), "ab");
}

TEST(Utf16leToAnsi, FoldsBaseAndCombiningMarksIntoPrecomposedCharacters) {
  EXPECT_EQ(utf16le_to_ansi(utf16le(u"e\x0301")), "\xA8\xA6");        // é
  EXPECT_EQ(utf16le_to_ansi(utf16le(u"u\x0308\x0301")), "\xA8\xB6");  // ǘ
  EXPECT_EQ(utf16le_to_ansi(utf16le(u"\x304B\x3099")), "\xA4\xAC");   // か + voiced mark: が
  EXPECT_EQ(utf16le_to_ansi(utf16le(u"a\x0323\x0302x")), "?x");       // one ậ, which GBK lacks
  EXPECT_EQ(utf16le_to_ansi(utf16le(u"\x0301"
                                    "a")),
            "?a");  // a mark without a base
}

TEST(Utf16leToAnsi, KeepsCompatibilityIdeographsThatGbkHolds) {
  // Full normalisation would turn U+F92C into U+90CE (C0 C9).
  EXPECT_EQ(utf16le_to_ansi(utf16le(u"\xF92C")), "\xFD\x9C");
}

TEST(Utf8ToAnsi, ConvertsLikeTheGbkHelper) {
  for (const std::string utf8 : {"原创abc，萬。",
                                 "a\xFF\xE5\x8E"
                                 "b\xF0\x9F\x98\x80",
                                 "\xC0\x80\xED\xA0\x80\xE5\x8E"}) {
    SCOPED_TRACE(utf8);
    EXPECT_EQ(utf8_to_ansi(utf8), gbk_from_utf8(utf8));
  }
}

TEST(Utf8ToAnsi, ByteOrderMarkBecomesQuestionMarkAndZeroEndsText) {
  EXPECT_EQ(utf8_to_ansi("\xEF\xBB\xBF"
                         "a"),
            "?a");
  EXPECT_EQ(utf8_to_ansi(std::string_view("a\0b", 3)), "a");
  EXPECT_EQ(utf8_to_ansi("e\xCC\x81"), "\xA8\xA6");
}

TEST(Utf16beToAnsi, ConvertsExactlyAsLittleEndian) {
  for (const std::u16string& units : {std::u16string(u"原创abc"),
                                      std::u16string(u"a\xD83D\xDE00"
                                                     "b"),
                                      std::u16string(u"\xDE00"
                                                     "x\x0E01"),
                                      std::u16string(u"e\x0301"), std::u16string(u"ab\0cd", 5)}) {
    EXPECT_EQ(utf16be_to_ansi(utf16be(units)), utf16le_to_ansi(utf16le(units)));
  }
  EXPECT_EQ(utf16be_to_ansi(utf16be(u"a\x0E01")), "a?");
  EXPECT_EQ(utf16be_to_ansi(utf16be(u"ab") + "c"), "ab");  // an odd last byte is ignored
}

TEST(StripLeadingQuestionMark, RemovesOneLeadingQuestionMarkOnly) {
  EXPECT_EQ(strip_leading_question_mark("?abc"), "abc");
  EXPECT_EQ(strip_leading_question_mark("??abc"), "?abc");
  EXPECT_EQ(strip_leading_question_mark("a?"), "a?");
  EXPECT_EQ(strip_leading_question_mark("?"), "");
  EXPECT_EQ(strip_leading_question_mark(""), "");
  // A double-byte character whose second byte is "?" (0x3F) is no question mark.
  EXPECT_EQ(strip_leading_question_mark("\x81\x3F"
                                        "a"),
            "\x81\x3F"
            "a");
  EXPECT_EQ(strip_leading_question_mark("?\x81\x3F"), "\x81\x3F");
}

}  // namespace
