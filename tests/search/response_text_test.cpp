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
  const std::string without_meta = "<html><body>中文</body></html>";
  EXPECT_EQ(decode_response_text(in_title, 0), in_title);
  EXPECT_EQ(decode_response_text(after_head, 0), after_head);
  EXPECT_EQ(decode_response_text(without_meta, 0), without_meta);
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
