#include "check/text_expressions.h"

#include <gtest/gtest.h>

#include "support/gbk.h"
#include "tests/testsupport/fake_window.h"

namespace {

constexpr uint32_t kAllOptions = RegexObject::kIgnoreCase | RegexObject::kMultiline | RegexObject::kGlobal;

class CleaningTest : public ::testing::Test {
 protected:
  // Cleans UTF-8 text with the expression built from the window as it is now.
  std::string cleaned(std::string_view utf8) {
    build_cleaning_expression(window, expressions);
    return utf8_from_gbk(clean_content(expressions.cleaning, gbk(utf8)));
  }

  FakeWindow window;
  TextExpressions expressions;
};

TEST_F(CleaningTest, PatternsAreTheStoredLiteralsWithEveryOptionOn) {
  window.set_checked(Control::选择框忽略网址邮箱, true);
  window.set_checked(Control::选择框忽略数字, true);
  window.set_text(Control::编辑框数字位数, gbk("　５"));
  build_cleaning_expression(window, expressions);
  EXPECT_EQ(expressions.cleaning.stored_pattern(),
            R"(<.*?>|&[a-z]+;|&#\d+;|[a-zA-z]+://[^\s]*|\w+@\w+.\w+|\d{5,})");
  EXPECT_EQ(expressions.cleaning.options(), kAllOptions);
  EXPECT_EQ(utf8_from_gbk(expressions.delimiter.stored_pattern()),
            R"(……|[，。；;,\?!？！…~]|\r\n|[ 　]{2,})");
  EXPECT_EQ(expressions.delimiter.options(), kAllOptions);

  window.set_checked(Control::选择框忽略网址邮箱, false);
  window.set_checked(Control::选择框忽略数字, false);
  build_cleaning_expression(window, expressions);
  EXPECT_EQ(expressions.cleaning.stored_pattern(), R"(<.*?>|&[a-z]+;|&#\d+;)");
}

TEST_F(CleaningTest, WithBothOptionsOffOnlyTagsAndEntitiesGo) {
  EXPECT_EQ(cleaned("原创<b>文章</b>&nbsp;检测"), "原创文章检测");
  EXPECT_EQ(cleaned("见http://a.cn/x 与12345678和a@b.cn&#160;"), "见http://a.cn/x 与12345678和a@b.cn");
  // Entities in upper case go too: the expression ignores case.
  EXPECT_EQ(cleaned("甲&NBSP;乙"), "甲乙");
}

TEST_F(CleaningTest, DigitRunsFromTheSetLengthOn) {
  window.set_checked(Control::选择框忽略数字, true);
  window.set_text(Control::编辑框数字位数, "5");
  EXPECT_EQ(cleaned("电话12345678，年份2024。"), "电话，年份2024。");
  // A length that is no number removes every digit.
  window.set_text(Control::编辑框数字位数, "abc");
  EXPECT_EQ(cleaned("第3句有1个数"), "第句有个数");
  // A negative length counts as no length rather than spoiling the pattern.
  window.set_text(Control::编辑框数字位数, "-2");
  EXPECT_EQ(cleaned("第3句有1个数"), "第句有个数");
  // A length past what the regex engine accepts keeps every digit run instead.
  window.set_text(Control::编辑框数字位数, "100000");
  EXPECT_EQ(cleaned("第3句有1个数"), "第3句有1个数");
}

TEST_F(CleaningTest, AddressesGoUpToTheNextWhiteSpace) {
  window.set_checked(Control::选择框忽略网址邮箱, true);
  EXPECT_EQ(cleaned("访问http://www.example.com/a?b=1，谢谢 再见"), "访问 再见");
  EXPECT_EQ(cleaned("请写信给user_1@mail.example.com。"), "请写信给.com。");
  // A tag wins over an address starting at the same place.
  EXPECT_EQ(cleaned("<http://a.cn>后 文"), "后 文");
}

TEST(WindowExpressions, TagAndTrimPatternsWithEveryOptionOn) {
  TextExpressions expressions;
  prepare_window_expressions(expressions);
  EXPECT_EQ(expressions.tag.stored_pattern(), "<.*?>");
  EXPECT_EQ(expressions.tag.options(), kAllOptions);
  EXPECT_EQ(utf8_from_gbk(expressions.trim.stored_pattern()), "^[ 　\t]+|[ 　\t]+$");
  EXPECT_EQ(expressions.trim.options(), kAllOptions);
}

}  // namespace
