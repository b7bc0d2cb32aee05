#include "search/response_text.h"

#include <gtest/gtest.h>

#include "support/gbk.h"

namespace {

const std::string kUtf8Head =
    "<html><head><title>t</title><meta http-equiv=\"Content-Type\" "
    "content=\"text/html; charset=UTF-8\"></head><body>中文</body></html>";

TEST(DecodeResponseText, AutomaticDetectionConvertsAPageWhoseHeadDeclaresUtf8) {
  EXPECT_EQ(decode_response_text(kUtf8Head, 0), gbk(kUtf8Head));
  const std::string quoted = "<head><meta charset=\"utf-8\"></head>中文";
  EXPECT_EQ(decode_response_text(quoted, 0), gbk(quoted));
}

TEST(DecodeResponseText, AutomaticDetectionLooksOnlyAtMetaTagsOfTheHead) {
  const std::string in_title = "<head><title>charset=utf-8</title></head>中文";
  const std::string after_head = "<head><title>t</title></head><meta charset=utf-8>中文";
  const std::string gbk_after_head = gbk(after_head);
  EXPECT_EQ(decode_response_text(in_title, 0, "gbk"), in_title);
  EXPECT_EQ(decode_response_text(gbk_after_head, 0), gbk_after_head);
}

// A UTF-8 page read as GBK shows its list markers but none of its Chinese: every
// sentence would look not indexed.
TEST(DecodeResponseText, Utf8IsRecognisedHoweverThePageSaysIt) {
  struct Case {
    std::string_view page;  // UTF-8 unless it declares another charset
    std::string_view header_charset;
    bool converted;
  };
  const Case cases[] = {
      {"\xEF\xBB\xBF<html><body>中文</body></html>", "", true},
      {"\xEF\xBB\xBF<html><head><meta charset=gbk></head><body>中文</body></html>", "gbk", true},
      {"<head><meta charset='utf-8'></head>中文", "", true},
      {"<head><meta charset = \"UTF-8\"></head>中文", "", true},
      {"<head><meta http-equiv=Content-Type content='text/html; charset=utf8'></head>中文", "", true},
      {"<?xml version=\"1.0\" encoding=\"UTF-8\"?><html><body>中文</body></html>", "", true},
      {"<head><meta name=\"description\" content=\"charset\"></head>中文", "", true},
      {"<html><body>中文</body></html>", "", true},
      {"<head><meta charset=\"gb18030\"></head>中文", "", false},
      {"<head><meta charset=gbk></head>中文", "utf-8", false},
      {"<html><body>中文</body></html>", "gbk", false},
  };
  for (const Case& c : cases) {
    const std::string page(c.page);
    const std::string expected =
        c.converted ? gbk(page.starts_with("\xEF\xBB\xBF") ? page.substr(3) : page) : page;
    EXPECT_EQ(decode_response_text(page, 0, c.header_charset), expected) << c.page << " " << c.header_charset;
  }
  const std::string undeclared_gbk = gbk("<html><body>中文</body></html>");
  EXPECT_EQ(decode_response_text(undeclared_gbk, 0), undeclared_gbk);
}

TEST(DecodeResponseText, PageWithoutHeadIsSearchedWholeForMetaTags) {
  const std::string page = "<meta name=a><meta charset=utf-8>中文";
  EXPECT_EQ(decode_response_text(page, 0), gbk(page));
}

TEST(DecodeResponseText, ByteOrderMarkOfAConvertedPageIsDropped) {
  const std::string page = "\xEF\xBB\xBF<head><meta charset=utf-8></head>中";
  EXPECT_EQ(decode_response_text(page, 0), gbk("<head><meta charset=utf-8></head>中"));
  EXPECT_EQ(decode_response_text("\xEF\xBB\xBF中", 2), gbk("中"));
}

TEST(DecodeResponseText, CodesChooseTheConversion) {
  const std::string utf8 = "中文";
  EXPECT_EQ(decode_response_text(utf8, 1), utf8);
  EXPECT_EQ(decode_response_text(utf8, 2), gbk(utf8));
  EXPECT_EQ(decode_response_text("?page", -1), "?page");
  EXPECT_EQ(decode_response_text("?page", 1), "page");
  EXPECT_EQ(decode_response_text("??page", 0), "?page");
  EXPECT_EQ(decode_response_text("?page", 7), "?page");
}

}  // namespace
