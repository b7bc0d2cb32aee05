#include "support/regex_escape.h"

#include <gtest/gtest.h>

#include "support/gbk.h"
#include "tests/support/regex_test_helpers.h"

namespace {

TEST(RegexEscape, WildcardBecomesPattern) {
  EXPECT_EQ(wildcard_to_pattern("*.txt"), ".*\\.txt");
  EXPECT_EQ(wildcard_to_pattern("a?b"), "a.?b");
  EXPECT_EQ(wildcard_to_pattern(R"x(\^$+.{}[]=()")x"), R"x(\\\^\$\+\.\{\}\[\]\=\(\)\")x");
  EXPECT_EQ(wildcard_to_pattern("a|b"), "a|b");
}

TEST(RegexEscape, WildcardPatternMatchesFileNames) {
  RegexObject regex;
  regex.set_pattern("^" + wildcard_to_pattern(gbk("文章(?).*")) + "$");
  EXPECT_TRUE(regex.test_match(gbk("文章(1).txt")));
  EXPECT_TRUE(regex.test_match(gbk("文章().htm")));
  EXPECT_FALSE(regex.test_match(gbk("文章(12).txt")));
  EXPECT_FALSE(regex.test_match(gbk("文章(1)xtxt")));
}

TEST(RegexEscape, EscapeAllMatchesOnlyTheTextItself) {
  const std::string specials = R"x(\^$+.{}[]=()?*|")x";
  EXPECT_EQ(escape_all(specials), R"x(\\\^\$\+\.\{\}\[\]\=\(\)\?\*\|\")x");
  RegexObject regex;
  regex.set_pattern(escape_all(gbk("价(元)?") + specials));
  EXPECT_EQ(regex.regex_replace(gbk("价(元)?") + specials + "x", "-"), "-x");
  EXPECT_FALSE(regex.test_match(gbk("价")));
}

TEST(RegexEscape, EscapeNoBarKeepsAlternatives) {
  EXPECT_EQ(escape_no_bar("a.b|c+d?"), "a\\.b|c\\+d\\?");
  RegexObject regex;
  regex.set_pattern(escape_no_bar("a.b|c+d"));
  EXPECT_TRUE(regex.test_match("c+d"));
  EXPECT_TRUE(regex.test_match("a.b"));
  EXPECT_FALSE(regex.test_match("axb"));
  EXPECT_FALSE(regex.test_match("ccd"));
}

TEST(RegexEscape, SecondBytesAreNeverEscaped) {
  // 癨 B0 5C, 癧 B0 5B, 皘 B0 7C, 皗 B0 7B, 癪 B0 5E: second bytes \ [ | { ^.
  const std::string text = gbk("癨癧皘皗癪");
  EXPECT_EQ(escape_all(text), text);
  EXPECT_EQ(escape_no_bar(text), text);
  EXPECT_EQ(wildcard_to_pattern(text), text);
  EXPECT_EQ(escape_all(gbk("癨") + "\\"), gbk("癨") + "\\\\");
  RegexObject regex;
  regex.set_pattern(escape_all(text));
  EXPECT_TRUE(regex.test_match(gbk("前癨癧皘皗癪后")));
}

}  // namespace
