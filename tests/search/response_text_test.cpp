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
  const std::string in_title = gbk("<head><title>charset=utf-8</title></head>中文");
  const std::string after_head = "<head><title>t</title></head><meta charset=utf-8>中文";
  const std::string gbk_after_head = gbk(after_head);
  EXPECT_EQ(decode_response_text(in_title, 0), in_title);
  EXPECT_EQ(decode_response_text(gbk_after_head, 0), gbk_after_head);
}

// A UTF-8 page read as GBK shows its list markers but none of its Chinese: every
// sentence would look not indexed.
TEST(DecodeResponseText, Utf8IsRecognisedHoweverThePageSaysIt) {
  const std::pair<std::string_view, std::string_view> utf8_pages[] = {
      {"\xEF\xBB\xBF<html><body>中文</body></html>", ""},
      {"\xEF\xBB\xBF<html><head><meta charset=gbk></head><body>中文</body></html>", "gbk"},
      {"<head><meta charset='utf-8'></head>中文", ""},
      {"<head><meta charset = \"UTF-8\"></head>中文", ""},
      {"<head><meta http-equiv=Content-Type content='text/html; charset=utf8'></head>中文", ""},
      {"<?xml version=\"1.0\" encoding=\"UTF-8\"?><html><body>中文</body></html>", ""},
      {"<head><meta name=\"description\" content=\"charset\"></head>中文", ""},
      {"<html><body>中文</body></html>", ""},
      // Declared otherwise, but the bytes are UTF-8.
      {"<head><meta charset=\"gb18030\"></head>中文", ""},
      {"<head><meta charset=gbk></head>中文", "utf-8"},
      {"<html><body>中文</body></html>", "gbk"},
  };
  for (const auto& [page, header_charset] : utf8_pages) {
    const std::string expected = gbk(page.starts_with("\xEF\xBB\xBF") ? page.substr(3) : page);
    EXPECT_EQ(decode_response_text(page, 0, header_charset), expected) << page << " " << header_charset;
  }
  // GBK bytes stay as they are, however declared.
  for (const std::string_view header_charset : {"", "gbk", "utf-8"}) {
    const std::string gbk_page = gbk("<head><meta charset=gbk></head>中文");
    EXPECT_EQ(decode_response_text(gbk_page, 0, header_charset), gbk_page);
    EXPECT_EQ(decode_response_text(gbk("<html><body>中文"), 0, "gbk"), gbk("<html><body>中文"));
  }
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
