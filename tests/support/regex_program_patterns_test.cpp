// The four patterns the program runs, on mixed Chinese and ASCII text with CR LF
// line breaks, full-width blanks and digits, and tabs.

#include <gtest/gtest.h>

#include "support/gbk.h"
#include "tests/support/regex_test_helpers.h"

namespace {

// Built as the check run builds it, with both options on and runs of 5 digits.
const std::string kCleaningPattern =
    "<.*?>|&[a-z]+;|&#\\d+;"
    "|[a-zA-z]+://[^\\s]*|\\w+@\\w+.\\w+"
    "|\\d{5,}";
constexpr std::string_view kDelimiterPattern = "……|[，。；;,\\?!？！…~]|\\r\\n|[ 　]{2,}";
constexpr std::string_view kTrimPattern = "^[ 　\t]+|[ 　\t]+$";
constexpr std::string_view kTagPattern = "<.*?>";

RegexObject cleaning_expression() {
  RegexObject regex;
  regex.set_pattern_positive(gbk(kCleaningPattern));
  return regex;
}

TEST(ProgramPatterns, CleaningRemovesTagsAndEntities) {
  const RegexObject regex = cleaning_expression();
  EXPECT_EQ(replaced(regex, "原创<b>文章</b>&nbsp;检测", ""), "原创文章检测");
  EXPECT_EQ(replaced(regex, "甲&#160;乙&NBSP;丙&#x41;丁", ""), "甲乙丙&#x41;丁");
  EXPECT_EQ(replaced(regex, "<p class=\"正文\">段落</P>\r\n<br/>", ""), "段落\r\n");
  // A tag does not reach over a line break.
  EXPECT_EQ(replaced(regex, "a<b\r\nc>d", ""), "a<b\r\nc>d");
}

TEST(ProgramPatterns, CleaningRemovesAddressesUpToWhiteSpace) {
  const RegexObject regex = cleaning_expression();
  EXPECT_EQ(replaced(regex, "访问http://www.example.com/a?b=1，谢谢 再见", ""), "访问 再见");
  EXPECT_EQ(replaced(regex, "网址HTTPS://X.CN/路径\r\n下一行", ""), "网址\r\n下一行");
  EXPECT_EQ(replaced(regex, "地址ftp://a.b\t制表", ""), "地址\t制表");
  // The full-width blank is no white space, so the address runs on over it.
  EXPECT_EQ(replaced(regex, "见http://a.cn　后文。末 尾", ""), "见 尾");
  // A-z takes in [ \ ] ^ _ ` as well.
  EXPECT_EQ(replaced(regex, "前a_b^://c 后", ""), "前 后");
}

TEST(ProgramPatterns, CleaningRemovesMailAddressesWordByWord) {
  const RegexObject regex = cleaning_expression();
  // word @ word, any one character, word: the rest of a longer domain stays.
  EXPECT_EQ(replaced(regex, "联系admin@mail.example.com。", ""), "联系.com。");
  EXPECT_EQ(replaced(regex, "邮箱a_1@qq.com，电话", ""), "邮箱，电话");
}

TEST(ProgramPatterns, CleaningRemovesLongAsciiDigitRunsOnly) {
  const RegexObject regex = cleaning_expression();
  EXPECT_EQ(replaced(regex, "电话12345678，年份2024，编号12345。", ""), "电话，年份2024，编号。");
  EXPECT_EQ(replaced(regex, "全角１２３４５６７不删", ""), "全角１２３４５６７不删");
  EXPECT_EQ(replaced(regex, "共1234567890元", ""), "共元");
}

TEST(ProgramPatterns, CleaningKeepsTheRestOfAMixedArticle) {
  const RegexObject regex = cleaning_expression();
  const std::string article =
      "<h1>标题</h1>\r\n"
      "　　第一段：原创文章检测，Version 2.0 版本；\tTab 后。\r\n"
      "　　第二段&amp;引用<a href=\"http://x.cn\">链接</a> 见 www.example.com 与 user@example.com 。\r\n"
      "　　编号 20240101 与 ２０２４ 年。";
  const std::string expected =
      "标题\r\n"
      "　　第一段：原创文章检测，Version 2.0 版本；\tTab 后。\r\n"
      "　　第二段引用链接 见 www.example.com 与  。\r\n"
      "　　编号  与 ２０２４ 年。";
  EXPECT_EQ(replaced(regex, article, ""), expected);
}

TEST(ProgramPatterns, DelimiterMarksSentenceEnds) {
  const RegexObject regex = regex_with(kDelimiterPattern);
  EXPECT_EQ(replaced(regex, "甲，乙。丙……丁…戊\r\n己；庚;辛,壬?癸!子？丑！寅~卯", "|"),
            "甲|乙|丙|丁|戊|己|庚|辛|壬|癸|子|丑|寅|卯");
  EXPECT_EQ(replaced(regex, "一 二  三　四　　五 　六\t七", "|"), "一 二|三　四|五|六\t七");
  // A lone CR or LF is no delimiter.
  EXPECT_EQ(replaced(regex, "一\r二\n三", "|"), "一\r二\n三");
}

TEST(ProgramPatterns, TrimTakesBlanksAtEveryLineEnd) {
  const RegexObject regex = regex_with(kTrimPattern);
  EXPECT_EQ(replaced(regex, "　 \t标题 正文\t　", ""), "标题 正文");
  EXPECT_EQ(replaced(regex, "　　第一段 \r\n\t第二段　\r\n", ""), "第一段\r\n第二段\r\n");
  EXPECT_EQ(replaced(regex, "１２ ３", ""), "１２ ３");
}

TEST(ProgramPatterns, TagRemovesMarkupShortestFirst) {
  const RegexObject regex = regex_with(kTagPattern);
  EXPECT_EQ(replaced(regex, "<div class=\"c-abstract\">百度<em>快照</em>，原创</div>", ""), "百度快照，原创");
  EXPECT_EQ(replaced(regex, "a < b 且 c > d", ""), "a  d");
}

}  // namespace
