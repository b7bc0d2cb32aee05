#include "support/regex_replacement.h"

#include <gtest/gtest.h>

#include "tests/support/regex_test_helpers.h"

namespace {

TEST(RegexReplacement, GroupReferences) {
  const RegexObject regex = regex_with("(原)(创)");
  EXPECT_EQ(replaced(regex, "检原创测", "[$2$1]"), "检[创原]测");
  EXPECT_EQ(replaced(regex, "原创", "$1$1$2"), "原原创");
  EXPECT_EQ(replaced(regex, "原创", "$01"), "原");
}

TEST(RegexReplacement, WholeMatchAndTheTextAroundIt) {
  const RegexObject regex = regex_with("乙");
  EXPECT_EQ(replaced(regex, "甲乙丙", "<$&>"), "甲<乙>丙");
  EXPECT_EQ(replaced(regex, "甲乙丙", "[$`]"), "甲[甲]丙");
  EXPECT_EQ(replaced(regex, "甲乙丙", "[$']"), "甲[丙]丙");
  EXPECT_EQ(replaced(regex_with("b"), "abcb", "($`|$')"), "a(a|cb)c(abc|)");
}

TEST(RegexReplacement, DollarFormsThatStayLiteral) {
  const RegexObject regex = regex_with("(a)(b)");
  EXPECT_EQ(replaced(regex, "ab", "$$"), "$");
  EXPECT_EQ(replaced(regex, "ab", "$$1"), "$1");
  EXPECT_EQ(replaced(regex, "ab", "$0"), "$0");
  EXPECT_EQ(replaced(regex, "ab", "$00"), "$00");
  EXPECT_EQ(replaced(regex, "ab", "$3"), "$3");
  EXPECT_EQ(replaced(regex, "ab", "$x$"), "$x$");
  EXPECT_EQ(replaced(regex, "ab", "价$"), "价$");
  EXPECT_EQ(replaced(regex, "ab", "$元"), "$元");
  EXPECT_EQ(replaced(regex_with("a"), "a", "$1"), "$1");
}

TEST(RegexReplacement, TwoDigitReferenceFallsBackToOneDigit) {
  const RegexObject two_groups = regex_with("(a)(b)");
  EXPECT_EQ(replaced(two_groups, "ab", "$12"), "a2");
  EXPECT_EQ(replaced(two_groups, "ab", "$21"), "b1");
  EXPECT_EQ(replaced(two_groups, "ab", "$30"), "$30");

  const RegexObject twelve_groups = regex_with("(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)(k)(l)");
  EXPECT_EQ(replaced(twelve_groups, "abcdefghijkl", "$12$11$1$10"), "lkaj");
  EXPECT_EQ(replaced(twelve_groups, "abcdefghijkl", "$13"), "a3");
  EXPECT_EQ(replaced(twelve_groups, "abcdefghijkl", "$123"), "l3");
}

TEST(RegexReplacement, GroupThatTookNoPartGivesEmptyText) {
  EXPECT_EQ(replaced(regex_with("(a)|(b)"), "ba", "[$1|$2]"), "[|b][a|]");
}

TEST(RegexReplacement, ExpandedForEveryMatch) {
  EXPECT_EQ(replaced(regex_with("(\\d+)"), "第1章第22节", "<$1>"), "第<1>章第<22>节");
}

}  // namespace
