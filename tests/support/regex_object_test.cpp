#include "support/regex_object.h"

#include <gtest/gtest.h>

#include "support/gbk.h"
#include "tests/support/regex_test_helpers.h"

namespace {

constexpr uint32_t kAllOptions = RegexObject::kIgnoreCase | RegexObject::kMultiline | RegexObject::kGlobal;

TEST(RegexObjectOptions, FlagsLeftOutTurnEveryOptionOn) {
  RegexObject negative;
  EXPECT_TRUE(negative.set_pattern("a"));
  EXPECT_EQ(negative.options(), kAllOptions);

  RegexObject positive;
  EXPECT_TRUE(positive.set_pattern_positive("a"));
  EXPECT_EQ(positive.options(), kAllOptions);
}

TEST(RegexObjectOptions, EachFlagControlsItsOwnBit) {
  RegexObject regex;
  regex.set_pattern("a", true, false, false);
  EXPECT_EQ(regex.options(), RegexObject::kMultiline | RegexObject::kGlobal);
  regex.set_pattern("a", false, true, false);
  EXPECT_EQ(regex.options(), RegexObject::kIgnoreCase | RegexObject::kGlobal);
  regex.set_pattern("a", false, false, true);
  EXPECT_EQ(regex.options(), RegexObject::kIgnoreCase | RegexObject::kMultiline);
  regex.set_pattern_positive("a", false, true, true);
  EXPECT_EQ(regex.options(), RegexObject::kMultiline | RegexObject::kGlobal);
  regex.set_pattern_positive("a", true, false, true);
  EXPECT_EQ(regex.options(), RegexObject::kIgnoreCase | RegexObject::kGlobal);
  regex.set_pattern_positive("a", true, true, false);
  EXPECT_EQ(regex.options(), RegexObject::kIgnoreCase | RegexObject::kMultiline);
}

TEST(RegexObjectOptions, StartsWithEmptyPatternAndNoOption) {
  const RegexObject regex;
  EXPECT_EQ(regex.stored_pattern(), "");
  EXPECT_EQ(regex.options(), 0u);
  // The empty pattern matches once at the start, as nothing is global yet.
  EXPECT_EQ(replaced(regex, "ab", "-"), "-ab");
}

TEST(RegexObjectOptions, SamePatternAndOptionsAgainCompilesNothing) {
  RegexObject regex;
  regex.set_pattern(gbk("原创|abc"));
  const int compiled = regex.compilations();
  EXPECT_TRUE(regex.set_pattern(gbk("原创|abc")));
  EXPECT_TRUE(regex.set_pattern_positive(gbk("原创|abc")));
  EXPECT_EQ(regex.compilations(), compiled);

  regex.set_pattern(gbk("原创|abd"));
  EXPECT_EQ(regex.compilations(), compiled + 1);
  regex.set_pattern(gbk("原创|abd"), true);
  EXPECT_EQ(regex.compilations(), compiled + 2);
}

TEST(RegexObjectOptions, EmptyPatternChangesOnlyTheOptions) {
  RegexObject regex;
  regex.set_pattern("abc");
  EXPECT_EQ(replaced(regex, "ABC abc", "x"), "x x");

  regex.set_pattern("", true, false, true);
  EXPECT_EQ(regex.stored_pattern(), "abc");
  EXPECT_EQ(regex.options(), RegexObject::kMultiline);
  EXPECT_EQ(replaced(regex, "ABC abc abc", "x"), "ABC x abc");
}

TEST(RegexObjectOptions, GlobalAloneNeedsNoCompilation) {
  RegexObject regex;
  regex.set_pattern("a");
  const int compiled = regex.compilations();
  regex.set_pattern("a", false, false, true);
  EXPECT_EQ(regex.compilations(), compiled);
  EXPECT_EQ(replaced(regex, "aXa", "-"), "-Xa");
  regex.set_pattern("a");
  EXPECT_EQ(replaced(regex, "aXa", "-"), "-X-");
}

TEST(RegexObjectOptions, ReplaceWithPatternAppliesItLikeSetPattern) {
  RegexObject regex;
  EXPECT_EQ(utf8_from_gbk(regex.regex_replace(gbk("A甲a"), "-", "a", true)), "A甲-");
  EXPECT_EQ(regex.stored_pattern(), "a");
  EXPECT_EQ(regex.options(), RegexObject::kMultiline | RegexObject::kGlobal);
  const int compiled = regex.compilations();
  EXPECT_EQ(utf8_from_gbk(regex.regex_replace(gbk("A甲a"), "-", "a", true)), "A甲-");
  EXPECT_EQ(regex.compilations(), compiled);
}

TEST(RegexObjectCharacters, ClassesAndQuantifiersSeeWholeCharacters) {
  // 。 is A1 A3 and the full-width space A1 A1: a byte class would cut the lead byte.
  EXPECT_EQ(replaced(regex_with("[ 　]"), "句。 子　尾", ""), "句。子尾");
  // 萬 is C8 66, whose second byte is "f".
  EXPECT_EQ(replaced(regex_with("\\w"), "萬a", "x"), "萬x");
  EXPECT_EQ(replaced(regex_with("f"), "萬f", "x"), "萬x");
  EXPECT_TRUE(regex_with("^.{2}$").test_match(gbk("原创")));
  EXPECT_FALSE(regex_with("^.{3}$").test_match(gbk("原创")));
  EXPECT_EQ(replaced(regex_with("好+"), "好好好的", "-"), "-的");
}

TEST(RegexObjectCharacters, PatternAndReplacementMayHoldChinese) {
  EXPECT_EQ(replaced(regex_with("原创"), "检测原创文章", "【原创】"), "检测【原创】文章");
  EXPECT_TRUE(regex_with("\\u539F").test_match(gbk("原")));
}

TEST(RegexObjectCharacters, TextWithoutMatchComesBackByteForByte) {
  const std::string text = gbk("癨萛皘“引号”ａｂ１２　。\r\n\tＡ～") + "ascii\\|[";
  EXPECT_EQ(regex_with("zzz").regex_replace(text, "x"), text);
}

TEST(RegexObjectCharacters, TextBetweenMatchesKeepsBytesGbkCannotRead) {
  // 0xFF is no GBK, 0x80 stands alone, and 0xB0 at the end lacks its second byte.
  const std::string text = "\xFF" + gbk("甲a乙") + "\x80" + "a\xB0";
  EXPECT_EQ(regex_with("a").regex_replace(text, gbk("丙")),
            "\xFF" + gbk("甲丙乙") + "\x80" + gbk("丙") + "\xB0");
  EXPECT_EQ(regex_with("a").regex_replace("x\xFFx", "y"), "x\xFFx");
}

TEST(RegexObjectCharacters, EscapeClassesKnowAsciiOnly) {
  EXPECT_EQ(replaced(regex_with("\\d"), "1２3", "#"), "#２#");
  EXPECT_EQ(replaced(regex_with("\\w"), "a_9中ａ", "#"), "###中ａ");
  EXPECT_EQ(replaced(regex_with("\\s"), "\t\n\v\f\r 　x", "#"), "######　x");
  EXPECT_TRUE(regex_with("\\bab").test_match(gbk("中ab")));
  EXPECT_FALSE(regex_with("\\bab").test_match(gbk("xab")));
}

TEST(RegexObjectLines, MultilineAnchorsAtEveryLineBreak) {
  EXPECT_EQ(replaced(regex_with("^"), "a\r\nb\rc\nd", ">"), ">a\r\n>b\r>c\n>d");
  EXPECT_EQ(replaced(regex_with("x$"), "x\r\nx\rx\nx", "y"), "y\r\ny\ry\ny");
}

TEST(RegexObjectLines, WithoutMultilineAnchorsOnlyAtTheEnds) {
  const RegexObject regex = regex_with("^x|x$", true, false);
  EXPECT_EQ(replaced(regex, "x\r\nx\nx", "y"), "y\r\nx\ny");
  EXPECT_EQ(replaced(regex, "x\n", "y"), "y\n");
  EXPECT_EQ(replaced(regex_with("a$", true, false), "a\n", "y"), "a\n");
}

TEST(RegexObjectLines, DotMatchesNoLineBreak) {
  EXPECT_FALSE(regex_with("a.b").test_match("a\rb"));
  EXPECT_FALSE(regex_with("a.b").test_match("a\nb"));
  EXPECT_TRUE(regex_with("a.b").test_match(gbk("a　b")));
  EXPECT_TRUE(regex_with("a.b").test_match("a\tb"));
}

TEST(RegexObjectCase, IgnoreCaseFoldsLettersAndRanges) {
  EXPECT_EQ(replaced(regex_with("abc"), "ABC", "x"), "x");
  EXPECT_EQ(replaced(regex_with("abc", false), "ABC abc", "x"), "ABC x");
  EXPECT_EQ(replaced(regex_with("[a-c]+"), "xABCx", "-"), "x-x");
  EXPECT_EQ(replaced(regex_with("ａ"), "Ａａ", "-"), "--");
  EXPECT_EQ(replaced(regex_with("ω"), "Ω", "-"), "-");
}

TEST(RegexObjectGlobal, WithoutGlobalOnlyTheFirstMatch) {
  EXPECT_EQ(replaced(regex_with("甲"), "甲乙甲", "-"), "-乙-");
  EXPECT_EQ(replaced(regex_with("甲", true, true, false), "甲乙甲", "-"), "-乙甲");
}

TEST(RegexObjectGlobal, EmptyMatchAdvancesOneCharacter) {
  EXPECT_EQ(replaced(regex_with("x*"), "ab", "-"), "-a-b-");
  EXPECT_EQ(replaced(regex_with("x*"), "原创", "-"), "-原-创-");
  EXPECT_EQ(replaced(regex_with("b*"), "abc", "-"), "-a--c-");
  EXPECT_EQ(replaced(regex_with(""), "", "-"), "-");
}

TEST(RegexObjectFailure, RejectedPatternGivesEmptyResults) {
  RegexObject regex;
  regex.set_pattern("\\d+");
  ASSERT_EQ(regex.execute_matches("a1b2"), 2);

  EXPECT_TRUE(regex.set_pattern("(a"));
  EXPECT_EQ(regex.stored_pattern(), "(a");
  EXPECT_EQ(regex.regex_replace("(a", "x"), "");
  EXPECT_FALSE(regex.test_match("(a"));
  EXPECT_EQ(regex.execute_matches("(a"), 0);
  EXPECT_EQ(regex.match_count(), 0);

  regex.set_pattern("a");
  EXPECT_EQ(regex.regex_replace("(a", "x"), "(x");
}

TEST(RegexObjectFailure, BraceThatOpensNoRepeatCountIsRejected) {
  // As in VBScript, so a negative digit-run length spoils the cleaning pattern.
  for (const char* pattern : {"<.*?>|\\d{-2,}", "a{,3}", "a{x}", "a{2", "a{"}) {
    EXPECT_EQ(regex_with(pattern).regex_replace("a{x}a{2a{,3}", "-"), "") << pattern;
  }
  EXPECT_EQ(replaced(regex_with("a{2}"), "aaa", "-"), "-a");
  EXPECT_EQ(replaced(regex_with("a{2,}"), "aaa", "-"), "-");
  EXPECT_EQ(replaced(regex_with("a{1,2}"), "aaa", "-"), "--");
  EXPECT_EQ(replaced(regex_with("\\{x}|[{]|[^{]"), "{x}{", "-"), "--");
  EXPECT_EQ(replaced(regex_with("[]{]"), "]{", "-"), "--");
}

TEST(RegexObjectFailure, MatchTheEngineGivesUpOnGivesEmptyText) {
  const RegexObject regex = regex_with("(a+)+$", true, false);
  EXPECT_EQ(regex.regex_replace(std::string(40, 'a') + "b", "x"), "");
}

TEST(RegexObjectFailure, LongRepeatedGroupStillMatches) {
  const std::string text(200000, 'a');
  EXPECT_EQ(regex_with("(a|b)+").regex_replace(text, "x"), "x");
}

TEST(RegexObjectMatches, ExecuteKeepsEveryMatchWithItsGroups) {
  RegexObject regex;
  regex.set_pattern(gbk("(甲|乙)(\\d)?"));
  ASSERT_EQ(regex.execute_matches(gbk("甲1乙丙甲2")), 3);
  EXPECT_EQ(regex.match_count(), 3);
  EXPECT_EQ(regex.group_count(), 2);
  EXPECT_EQ(regex.match_text(1), gbk("甲1"));
  EXPECT_EQ(regex.match_text(1, 0), gbk("甲1"));
  EXPECT_EQ(regex.match_text(1, -1), gbk("甲1"));
  EXPECT_EQ(regex.match_text(1, 1), gbk("甲"));
  EXPECT_EQ(regex.match_text(3, 2), "2");
  EXPECT_EQ(regex.match_value(2), gbk("乙"));
  EXPECT_EQ(regex.match_value(2, 2), std::nullopt);  // took no part
  EXPECT_EQ(regex.match_text(2, 2), "");
  EXPECT_EQ(regex.match_value(0), std::nullopt);
  EXPECT_EQ(regex.match_value(4), std::nullopt);
  EXPECT_EQ(regex.match_value(1, 3), std::nullopt);
}

TEST(RegexObjectMatches, LengthsInCharactersAndInBytes) {
  RegexObject regex;
  regex.set_pattern(gbk("(原创)ab"));
  ASSERT_EQ(regex.execute_matches(gbk("x原创ab")), 1);
  EXPECT_EQ(regex.match_length(1), 4);
  EXPECT_EQ(regex.match_length_bytes(1), 6);
  EXPECT_EQ(regex.match_length(1, 1), 2);
  EXPECT_EQ(regex.match_length_bytes(1, 1), 4);
  EXPECT_EQ(regex.match_length(2), 0);
  EXPECT_EQ(regex.match_length_bytes(1, 2), 0);
}

TEST(RegexObjectMatches, WithoutGlobalExecuteKeepsTheFirstMatch) {
  RegexObject regex;
  EXPECT_EQ(regex.set_and_execute("\\d", "a1b2", false, false, true), 1);
  EXPECT_EQ(regex.match_text(1), "1");
  EXPECT_EQ(regex.set_and_execute("\\d", "a1b2"), 2);
  EXPECT_EQ(regex.match_text(2), "2");
}

TEST(RegexObjectMatches, NoMatchDropsTheKeptOnes) {
  RegexObject regex;
  regex.set_pattern("(x)");
  ASSERT_EQ(regex.execute_matches("x"), 1);
  EXPECT_EQ(regex.execute_matches("y"), 0);
  EXPECT_EQ(regex.match_count(), 0);
  EXPECT_EQ(regex.group_count(), 0);
  EXPECT_EQ(regex.match_value(1), std::nullopt);
}

TEST(RegexObjectMatches, TestMatchLooksAnywhere) {
  EXPECT_TRUE(regex_with("b", false, false, false).test_match("abc"));
  EXPECT_FALSE(regex_with("B", false).test_match("abc"));
}

TEST(RegexObjectCopy, CopyWorksOnItsOwn) {
  RegexObject original;
  original.set_pattern("(a)", false, true, false);
  ASSERT_EQ(original.execute_matches("aa"), 2);

  RegexObject copy(original);
  EXPECT_EQ(copy.stored_pattern(), "(a)");
  EXPECT_EQ(copy.options(), original.options());
  EXPECT_EQ(copy.match_count(), 2);

  original.set_pattern("b");
  EXPECT_EQ(copy.regex_replace("abA", "-"), "-b-");
  EXPECT_EQ(original.regex_replace("abA", "-"), "a-A");

  RegexObject assigned;
  assigned = original;
  EXPECT_EQ(assigned.regex_replace("abA", "-"), "a-A");
  assigned = copy;
  EXPECT_EQ(assigned.regex_replace("abA", "-"), "-b-");
  EXPECT_EQ(assigned.match_text(2, 1), "a");
}

}  // namespace
