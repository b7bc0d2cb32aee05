#include "support/profile_text.h"

#include <gtest/gtest.h>

#include "support/gbk.h"

TEST(ProfileReading, NamesIgnoreAsciiCaseAndBlanksAroundNamesAndValues) {
  const std::string text = "[ Proxy ]\r\n\tHost  =  example org \t\r\n";
  EXPECT_EQ(find_profile_value(text, "PROXY", "host"), "example org");
  EXPECT_EQ(find_profile_value(text, " proxy\t", "\tHOST "), "example org");
  EXPECT_EQ(find_profile_value(text, "Proxy", "Hos"), std::nullopt);
  EXPECT_EQ(find_profile_value(text, "Prox", "Host"), std::nullopt);
}

TEST(ProfileReading, BlanksInsideAKeyCount) {
  const std::string text = gbk("[基本配置]\r\n忽略     位以上数字=假\r\n忽略      位以上数字=真\r\n");
  EXPECT_EQ(find_profile_value(text, gbk("基本配置"), gbk("忽略      位以上数字")), gbk("真"));
  EXPECT_EQ(find_profile_value(text, gbk("基本配置"), gbk("忽略    位以上数字")), std::nullopt);
}

TEST(ProfileReading, OneMatchingPairOfQuotesIsRemoved) {
  const std::string text =
      "[s]\n"
      "double=\"x y\"\n"
      "single=' z '\n"
      "crossed=\"u'\n"
      "lone=\"\n"
      "nested='\"v\"'\n"
      "empty=\"\"\n"
      "inner=a\"b\"\n";
  EXPECT_EQ(find_profile_value(text, "s", "double"), "x y");
  EXPECT_EQ(find_profile_value(text, "s", "single"), " z ");
  EXPECT_EQ(find_profile_value(text, "s", "crossed"), "\"u'");
  EXPECT_EQ(find_profile_value(text, "s", "lone"), "\"");
  EXPECT_EQ(find_profile_value(text, "s", "nested"), "\"v\"");
  EXPECT_EQ(find_profile_value(text, "s", "empty"), "");
  EXPECT_EQ(find_profile_value(text, "s", "inner"), "a\"b\"");
}

TEST(ProfileReading, CommentsAndLinesWithoutEqualsAreNoKeys) {
  const std::string text = "[s]\r\n  ;a=1\r\nb\r\nc=x ; y=z\r\n=nameless\r\n";
  EXPECT_EQ(find_profile_value(text, "s", "a"), std::nullopt);
  EXPECT_EQ(find_profile_value(text, "s", ";a"), std::nullopt);
  EXPECT_EQ(find_profile_value(text, "s", "b"), std::nullopt);
  EXPECT_EQ(find_profile_value(text, "s", "c"), "x ; y=z");
}

TEST(ProfileReading, FirstOfEqualSectionsAndKeysWins) {
  const std::string text = "[s]\na=1\nA=2\n[t]\nb=0\n[S]\na=3\nb=4\n";
  EXPECT_EQ(find_profile_value(text, "s", "a"), "1");
  EXPECT_EQ(find_profile_value(text, "s", "b"), std::nullopt);  // only in the second [S]
  EXPECT_EQ(find_profile_value(text, "t", "b"), "0");
}

TEST(ProfileReading, LinesBeforeTheFirstSectionBelongToNone) {
  const std::string text = "a=0\n[s]\nb=1\n";
  EXPECT_EQ(find_profile_value(text, "s", "a"), std::nullopt);
  EXPECT_EQ(find_profile_value(text, "s", "b"), "1");
}

TEST(ProfileReading, SectionHeaderWithoutClosingBracketOrWithTrailingText) {
  const std::string text = "[s\na=1\n[t] after\nb=2\n";
  EXPECT_EQ(find_profile_value(text, "s", "a"), "1");
  EXPECT_EQ(find_profile_value(text, "t", "b"), "2");
}

TEST(ProfileReading, LinesEndInCrLfOrLfAlone) {
  const std::string text = "[s]\r\na=1\r\nb=2\nc=3\r";
  EXPECT_EQ(find_profile_value(text, "s", "a"), "1");
  EXPECT_EQ(find_profile_value(text, "s", "b"), "2");
  EXPECT_EQ(find_profile_value(text, "s", "c"), "3");
}

TEST(ProfileReading, BracketAsSecondByteDoesNotCloseTheSectionName) {
  const std::string name = gbk("癩");  // B0 5D: its second byte is "]"
  ASSERT_EQ(name, "\xB0\x5D");
  EXPECT_EQ(find_profile_value("[" + name + "]\r\nk=v\r\n", name, "k"), "v");
  EXPECT_EQ(find_profile_value("[" + name + "x]\r\nk=v\r\n", name + "x", "k"), "v");
}

TEST(ProfileEditing, UpdatesTheFirstKeyInPlaceKeepingItsSpelling) {
  const std::string text = "; c\r\n[S]\r\n  KEY = old \r\nkey=second\n\r\n[t]\r\nkey=x\r\n";
  EXPECT_EQ(with_profile_value(text, "s", "key", "new value"),
            "; c\r\n[S]\r\n  KEY=new value\r\nkey=second\n\r\n[t]\r\nkey=x\r\n");
  EXPECT_EQ(with_profile_value("[s]\nk=1\n", "s", "k", "2"), "[s]\nk=2\n");
  EXPECT_EQ(with_profile_value("[s]\r\nk=1", "s", "k", "2"), "[s]\r\nk=2");
}

TEST(ProfileEditing, NewKeyFollowsTheLastLineOfItsSectionThatIsNotBlank) {
  EXPECT_EQ(with_profile_value("[s]\r\na=1\r\n; about s\r\n\r\n\r\n[t]\r\n", "s", "b", "2"),
            "[s]\r\na=1\r\n; about s\r\nb=2\r\n\r\n\r\n[t]\r\n");
  EXPECT_EQ(with_profile_value("[s]\r\n\r\n[t]\r\n", "s", "b", "2"), "[s]\r\nb=2\r\n\r\n[t]\r\n");
  // Only the first [s] takes keys.
  EXPECT_EQ(with_profile_value("[s]\na=1\n[s]\nc=3\n", "S", "b", "2"), "[s]\na=1\nb=2\r\n[s]\nc=3\n");
}

TEST(ProfileEditing, AnUnfinishedLastLineIsEndedBeforeNewLines) {
  EXPECT_EQ(with_profile_value("[s]\r\na=1", "s", "b", "2"), "[s]\r\na=1\r\nb=2\r\n");
  EXPECT_EQ(with_profile_value("[s]\r\na=1\r", "s", "b", "2"), "[s]\r\na=1\r\nb=2\r\n");
  EXPECT_EQ(with_profile_value("[t]\r\nx=1", "s", "k", "v"), "[t]\r\nx=1\r\n[s]\r\nk=v\r\n");
}

TEST(ProfileEditing, NewSectionGoesAtTheEnd) {
  EXPECT_EQ(with_profile_value("", "s", "k", "v"), "[s]\r\nk=v\r\n");
  EXPECT_EQ(with_profile_value("x=1\n", "s", "k", "v"), "x=1\n[s]\r\nk=v\r\n");
  EXPECT_EQ(with_profile_value("[t]\r\nk=1\r\n\r\n", "s", "k", "v"), "[t]\r\nk=1\r\n\r\n[s]\r\nk=v\r\n");
}

TEST(ProfileEditing, ValuesAreWrittenVerbatim) {
  const std::string text = with_profile_value("", "s", "k", " 'a;b=c' ");
  EXPECT_EQ(text, "[s]\r\nk= 'a;b=c' \r\n");
  EXPECT_EQ(find_profile_value(text, "s", "k"), "a;b=c");
}

TEST(ProfileEditing, EntriesThatWouldNotReadBackAsWrittenAreRefused) {
  EXPECT_TRUE(is_writable_profile_entry("s", "k", ""));
  EXPECT_TRUE(is_writable_profile_entry("a]b", " k k ", "v;=\"'"));
  EXPECT_TRUE(is_writable_profile_entry(gbk("癩"), gbk("癩"), gbk("癩")));

  EXPECT_FALSE(is_writable_profile_entry("s", "k", "line\r\nbreak"));
  EXPECT_FALSE(is_writable_profile_entry("s", "k", "lone\nfeed"));
  EXPECT_FALSE(is_writable_profile_entry("s", "k\r", "v"));
  EXPECT_FALSE(is_writable_profile_entry("s\n", "k", "v"));
  EXPECT_FALSE(is_writable_profile_entry(" \t", "k", "v"));
  EXPECT_FALSE(is_writable_profile_entry("s", "", "v"));
  EXPECT_FALSE(is_writable_profile_entry("s", "a=b", "v"));
  EXPECT_FALSE(is_writable_profile_entry("s", " ;k", "v"));
  EXPECT_FALSE(is_writable_profile_entry("s", "[k", "v"));
  EXPECT_FALSE(is_writable_profile_entry("s\xB0", "k", "v"));  // "]" would become its second byte
}
