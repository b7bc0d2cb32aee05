#include "support/text_markers.h"

#include <gtest/gtest.h>

#include "support/gbk.h"

namespace {

TEST(TextBetween, FindsTextBetweenMarkersIgnoringAsciiCase) {
  EXPECT_EQ(text_between("<HTML><HEAD><title>x</title></Head>", "<head>", "</head>"), "<title>x</title>");
  EXPECT_EQ(text_between("<head></head>", "<head>", "</head>"), "");
  EXPECT_EQ(text_between("<head>no end", "<head>", "</head>"), "");
  EXPECT_EQ(text_between("no start</head>", "<head>", "</head>"), "");
}

TEST(TextBetween, EndMarkerIsSearchedAfterTheStartMarker) {
  EXPECT_EQ(text_between("</head>x<head>y</head>z</head>", "<head>", "</head>"), "y");
  EXPECT_EQ(text_between("</head>x<head>y", "<head>", "</head>"), "");
  // Markers may not overlap: "aa" ... "a" needs an "a" after the start marker.
  EXPECT_EQ(text_between("aa", "aa", "a"), "");
}

TEST(TextBetween, PositionAdvancesPastTheEndMarkerAndStaysWhenNothingIsFound) {
  const std::string page = "<meta a><META b><meta>";
  size_t position = 0;
  EXPECT_EQ(text_between(page, "<meta", ">", position), " a");
  EXPECT_EQ(position, 9u);
  EXPECT_EQ(text_between(page, "<meta", ">", position), " b");
  EXPECT_EQ(position, 17u);
  EXPECT_EQ(text_between(page, "<meta", ">", position), "");
  EXPECT_EQ(position, 23u);
  EXPECT_EQ(text_between(page, "<meta", ">", position), "");
  EXPECT_EQ(position, 23u);
  position = 100;
  EXPECT_EQ(text_between(page, "<meta", ">", position), "");
  EXPECT_EQ(position, 100u);
}

TEST(TextBetween, NeverMatchesOnTheSecondByteOfACharacter) {
  // 0xB0 0x3C is one character whose second byte looks like "<".
  const std::string text = "\xB0<a>b<a>c<a>";
  size_t position = 1;
  EXPECT_EQ(text_between(text, "<a>", "<a>", position), "c");
  EXPECT_EQ(position, 13u);
  EXPECT_EQ(text_between(gbk("真<b>是</b>"), "<B>", "</B>"), gbk("是"));
}

TEST(TextBetweenRetry, RetriesWithoutDoubleQuotesWhenAMarkerIsMissing) {
  size_t position = 1;
  EXPECT_EQ(text_between_retry("<div class=list>x</div>", "<div class=\"list\">", "</div>", position), "x");
  EXPECT_EQ(position, 24u);
  position = 1;
  EXPECT_EQ(text_between_retry("<div class=list>x", "<div class=\"list\">", "</div>", position), "");
  EXPECT_EQ(position, 1u);
}

TEST(TextBetweenRetry, FirstResultStandsWhenBothMarkersAreFound) {
  const std::string text = "<p \"q\"></p><p q>x</p>";
  size_t position = 1;
  EXPECT_EQ(text_between_retry(text, "<p \"q\">", "</p>", position), "");
  EXPECT_EQ(position, 12u);
}

TEST(FixQuotes, PairsOfSingleQuotesBecomeDoubleQuotes) {
  EXPECT_EQ(fix_quotes("a''b"), "a\"b");
  EXPECT_EQ(fix_quotes("'''"), "\"'");
  EXPECT_EQ(fix_quotes("''''"), "\"\"");
  EXPECT_EQ(fix_quotes("'a'"), "'a'");
  EXPECT_EQ(fix_quotes(kUtf8CharsetList), "charset=utf-8[fg]charset=\"utf-8\"");
}

TEST(HasUtf8Charset, RecognisesBareOrDoubleQuotedValueInAnyCase) {
  EXPECT_TRUE(has_utf8_charset("<meta content=\"text/html; charset=utf-8\">"));
  EXPECT_TRUE(has_utf8_charset("<META CHARSET=\"UTF-8\">"));
  EXPECT_TRUE(has_utf8_charset("<meta charset=Utf-8>"));
  EXPECT_FALSE(has_utf8_charset("<meta charset='utf-8'>"));
  EXPECT_FALSE(has_utf8_charset("<meta charset = utf-8>"));
  EXPECT_FALSE(has_utf8_charset("<meta charset=gbk>"));
  EXPECT_FALSE(has_utf8_charset(""));
}

}  // namespace
