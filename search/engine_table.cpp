#include "search/engine_table.h"

#include <array>

#include "search/percent_encoding.h"

namespace {

// The first pair of every engine is the page layout the program was written for;
// the pairs after it are the layouts the engines have moved to since.
constexpr MarkerPair kBaiduList[] = {
    {"<div id=''content_left''>", "<p id=''page'' >"},
    {"<div id=''content_left''>", "<p id=''page''>"},
    {"<div id=''content_left''>", "<div id=''page'' >"},
    {"<div id=''content_left''>", "<div id=''page''>"},
};
constexpr MarkerPair k360List[] = {
    {"<ul id=''m-result'' class=''result''>", "<div id=''page''>"},
    {"<ul class=''result''>", "<div id=''page''>"},
};
constexpr MarkerPair kSosoList[] = {
    {"<ol  ><li", "</ol>"},
    {"<ol><li", "</ol>"},
    {"<ol  ><li", kPageTail},
    {"<ol><li", kPageTail},
};
constexpr MarkerPair kGoogleList[] = {
    {"<div id=''ires''>", "</ol>"},
    {"id=''rso''", "id=''botstuff''"},
};
constexpr MarkerPair kSogouList[] = {
    {"<div class=''results'' >", "<table id=''hint_container''"},
    {"<div class=''results''>", "<table id=''hint_container''"},
    {"<div class=''results''>", "<div class=''p'' id=''pagebar_container''>"},
    {"<div class=''results'' >", "<div class=''p'' id=''pagebar_container''>"},
};

constexpr std::string_view kBaiduItems[] = {"<div class=''result"};
constexpr std::string_view k360Items[] = {"<li class=''res-list''"};
constexpr std::string_view kSosoItems[] = {"<li"};
constexpr std::string_view kGoogleItems[] = {"<li class=''g''", "<div class=''g''"};
constexpr std::string_view kSogouItems[] = {"<div class=''rb''", "<div class=''vrwrap''"};

// The notices as the engines word them today, and as they did when the program was
// written.
constexpr std::string_view kBaiduNoResults[] = {"没有找到与", "没有找到该URL", "未找到相关结果"};
constexpr std::string_view k360NoResults[] = {"未找到和", "找不到和您查询的", "没有找到与"};
constexpr std::string_view kSosoNoResults[] = {"没有找到与", "未找到相关"};
constexpr std::string_view kGoogleNoResults[] = {"找不到和您查询的", "did not match any documents",
                                                 "ergab keine Treffer", "keine Ergebnisse"};
constexpr std::string_view kSogouNoResults[] = {"没有找到与", "未找到相关"};

constexpr std::string_view kCaptchaPaths[] = {"/captcha/"};
constexpr std::string_view kGooglePaths[] = {"/sorry/"};
constexpr std::string_view kSogouPaths[] = {"/antispider/"};

constexpr std::string_view kChineseVerification[] = {"安全验证", "验证码", "异常访问", "异常流量",
                                                     "unusual traffic"};
constexpr std::string_view kGoogleVerification[] = {"unusual traffic", "异常流量", "验证码"};

// Indexed by the engine combo box's selection.
constexpr std::array<Engine, 5> kEngines = {{
    {"百度", "www.baidu.com", "/s?wd=", SentenceEncoding::gbk_percent, kBaiduList, kBaiduItems, false, true,
     kBaiduNoResults, kCaptchaPaths, kChineseVerification},
    {"360", "www.so.com", "/s?q=", SentenceEncoding::utf8_percent, k360List, k360Items, false, false,
     k360NoResults, kCaptchaPaths, kChineseVerification},
    {"soso", "www.soso.com", "/q?w=", SentenceEncoding::gbk_percent, kSosoList, kSosoItems, true, false,
     kSosoNoResults, kCaptchaPaths, kChineseVerification},
    {"谷歌", "www.google.com", "/search?q=", SentenceEncoding::unescaped, kGoogleList, kGoogleItems, false,
     false, kGoogleNoResults, kGooglePaths, kGoogleVerification},
    {"搜狗", "www.sogou.com", "/web?query=", SentenceEncoding::utf8_percent, kSogouList, kSogouItems, false,
     false, kSogouNoResults, kSogouPaths, kChineseVerification},
}};

std::string encode_sentence(SentenceEncoding encoding, std::string_view sentence) {
  switch (encoding) {
    case SentenceEncoding::gbk_percent:
      return percent_encode(sentence);
    case SentenceEncoding::utf8_percent:
      return percent_encode_utf8(sentence);
    case SentenceEncoding::unescaped:
      break;
  }
  // Left as it is, but for the characters that would end or change the query
  // value; the request escapes the rest. None of them can be the second byte of a
  // GBK character.
  std::string text;
  for (const char c : sentence) {
    switch (c) {
      case '%':
        text += "%25";
        break;
      case '#':
        text += "%23";
        break;
      case '&':
        text += "%26";
        break;
      case '+':
        text += "%2B";
        break;
      default:
        text += c;
    }
  }
  return text;
}

}  // namespace

const Engine* engine_at(int index) {
  if (index < 0 || index >= static_cast<int>(kEngines.size())) return nullptr;
  return &kEngines[static_cast<size_t>(index)];
}

std::string query_url(const Engine& engine, std::string_view sentence) {
  std::string url = "http://";
  url.append(engine.host).append(engine.path_and_key);
  return url.append(encode_sentence(engine.encoding, sentence));
}
