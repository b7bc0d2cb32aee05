#include <gtest/gtest.h>

#include <algorithm>

#include "search/engine_table.h"
#include "search/percent_encoding.h"
#include "search/proxy_choice.h"
#include "search/request_url.h"
#include "search/simplified_chinese.h"
#include "support/detection_settings.h"
#include "support/gbk.h"
#include "tests/testsupport/fake_window.h"

namespace {

TEST(PercentEncode, EscapesEveryByteInUpperCaseHex) {
  EXPECT_EQ(percent_encode(gbk("中")), "%D6%D0");
  EXPECT_EQ(percent_encode_utf8(gbk("中")), "%E4%B8%AD");
  EXPECT_EQ(percent_encode("a\t1"), "%61%09%31");
  EXPECT_EQ(percent_encode(std::string("\0\xFF", 2)), "%00%FF");
  EXPECT_EQ(percent_encode(""), "");
}

TEST(ToSimplifiedChinese, MapsTraditionalCharactersOneForOneAndKeepsTheRest) {
  EXPECT_EQ(to_simplified_chinese(gbk("這是一個測試")), gbk("这是一个测试"));
  EXPECT_EQ(to_simplified_chinese(gbk("體育，ＡＢＣ abc 123。")), gbk("体育，ＡＢＣ abc 123。"));
  EXPECT_EQ(to_simplified_chinese(gbk("简体不变")), gbk("简体不变"));
  // A character-by-character mapping: no phrase is rewritten, the length stays.
  const std::string phrase = gbk("電腦軟體");
  EXPECT_EQ(to_simplified_chinese(phrase), gbk("电脑软体"));
  // A lone lead byte at the end is kept as it is.
  EXPECT_EQ(to_simplified_chinese(gbk("體") + "\xB5"), gbk("体") + "\xB5");
}

TEST(QueryUrl, EachEngineHasItsHostKeyAndSentenceEncoding) {
  const std::string sentence = gbk("中 a");
  EXPECT_EQ(query_url(*engine_at(0), sentence), "http://www.baidu.com/s?wd=%D6%D0%20%61");
  EXPECT_EQ(query_url(*engine_at(1), sentence), "http://www.so.com/s?q=%E4%B8%AD%20%61");
  EXPECT_EQ(query_url(*engine_at(2), sentence), "http://www.soso.com/q?w=%D6%D0%20%61");
  EXPECT_EQ(query_url(*engine_at(3), sentence), "http://www.google.com/search?q=" + sentence);
  EXPECT_EQ(query_url(*engine_at(4), sentence), "http://www.sogou.com/web?query=%E4%B8%AD%20%61");
  EXPECT_EQ(query_url(*engine_at(5), sentence), "http://cn.bing.com/search?q=%E4%B8%AD%20%61");
}

TEST(QueryUrl, GoogleSentenceKeepsTheCharactersThatWouldCutOrChangeItsQuery) {
  // Unescaped, "#" would start a fragment, "&" another parameter, "%" an escape, "+" a blank.
  EXPECT_EQ(escape_for_request(query_url(*engine_at(3), gbk("增长5%#1&2+3"))),
            "http://www.google.com/search?q=%E5%A2%9E%E9%95%BF5%25%231%262%2B3");
}

TEST(EngineAt, OnlyTheSixComboIndexesNameAnEngine) {
  EXPECT_EQ(engine_at(-1), nullptr);
  EXPECT_EQ(engine_at(6), nullptr);
  EXPECT_EQ(engine_at(0)->caption, "百度");
  EXPECT_EQ(engine_at(4)->caption, "搜狗");
  EXPECT_EQ(engine_at(5)->caption, "必应");
  // The settings file takes a stored engine for as many items as the table has rows.
  const auto row = std::ranges::find(kDetectionSettings, Control::组合框引擎, &DetectionSetting::control);
  ASSERT_NE(row, kDetectionSettings.end());
  EXPECT_NE(engine_at(row->items - 1), nullptr);
  EXPECT_EQ(engine_at(row->items), nullptr);
}

TEST(RequestUrl, SchemeIsAddedOnlyWhenMissing) {
  EXPECT_EQ(with_http_scheme("www.so.com/s"), "http://www.so.com/s");
  EXPECT_EQ(with_http_scheme("HTTP://www.so.com/s"), "HTTP://www.so.com/s");
  EXPECT_EQ(with_http_scheme("https://www.so.com/s"), "https://www.so.com/s");
}

TEST(RequestUrl, UnsafeBytesAreEscapedAsUtf8) {
  EXPECT_EQ(escape_for_request("http://www.google.com/search?q=" + gbk("中 \"x\"|{}")),
            "http://www.google.com/search?q=%E4%B8%AD%20%22x%22%7C%7B%7D");
  EXPECT_EQ(escape_for_request("http://h/s?wd=%D6%D0&a=b:c/d"), "http://h/s?wd=%D6%D0&a=b:c/d");
  EXPECT_EQ(escape_for_request("http://h/\t\x7F"), "http://h/%09%7F");
}

TEST(RequestUrl, RedirectsNeverLeadBackFromHttpsToHttpNorElsewhere) {
  EXPECT_TRUE(redirect_allowed("http://a/", "http://b/"));
  EXPECT_TRUE(redirect_allowed("http://a/", "HTTPS://b/"));
  EXPECT_TRUE(redirect_allowed("https://a/", "https://b/"));
  EXPECT_FALSE(redirect_allowed("https://a/", "http://b/"));
  EXPECT_FALSE(redirect_allowed("http://a/", "ftp://b/"));
  EXPECT_FALSE(redirect_allowed("http://a/", "file:///etc/passwd"));
}

TEST(ProxyChoice, GivesTheProxyTextOfTheSelectedItem) {
  FakeWindow window;
  window.set_text(Control::编辑框IP, "10.0.0.1:8080");
  const auto text_for = [&](int index) {
    window.set_selected_index(Control::组合框代理形式, index);
    return proxy_text_from_choice(window);
  };
  EXPECT_EQ(text_for(0), "");
  EXPECT_EQ(text_for(1), "IE");
  EXPECT_EQ(text_for(2), "10.0.0.1:8080");
  EXPECT_EQ(text_for(-1), "");
  EXPECT_EQ(text_for(3), "");
}

}  // namespace
