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
// Today the right-hand column (hot list, related searches) lies between the list and
// the pager: where it follows the list start, the list ends before it.
constexpr MarkerPair k360List[] = {
    {"<ul id=''m-result'' class=''result''>", "<div id=''side''>"},
    {"<ul id=''m-result'' class=''result''>", "<div id=''page''>"},
    {"<ul class=''result''>", "<div id=''side''>"},
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
// The start tag, not its id alone: the challenge page's style sheet names #b_results.
// A page without a pager ends the list with its </ol>.
constexpr MarkerPair kBingList[] = {
    {"<ol id=''b_results''", "<li class=''b_pag''"},
    {"<ol id=''b_results''", "</ol>"},
};

constexpr std::string_view kBaiduItems[] = {"<div class=''result"};
constexpr std::string_view k360Items[] = {"<li class=''res-list''"};
constexpr std::string_view kSosoItems[] = {"<li"};
constexpr std::string_view kGoogleItems[] = {"<li class=''g''", "<div class=''g''"};
constexpr std::string_view kSogouItems[] = {"<div class=''rb''", "<div class=''vrwrap''"};
constexpr std::string_view kBingItems[] = {"<li class=''b_algo''"};

// The notices as the engines word them today, and as they did when the program was
// written.
constexpr std::string_view kBaiduNoResults[] = {"没有找到与", "没有找到该URL", "未找到相关结果"};
constexpr std::string_view k360NoResults[] = {"未找到和", "找不到和您查询的", "没有找到与"};
constexpr std::string_view kSosoNoResults[] = {"没有找到与", "未找到相关"};
constexpr std::string_view kGoogleNoResults[] = {"找不到和您查询的", "did not match any documents",
                                                 "ergab keine Treffer", "keine Ergebnisse"};
constexpr std::string_view kSogouNoResults[] = {"没有找到与", "未找到相关"};
constexpr std::string_view kBingNoResults[] = {"没有与此相关的结果", "There are no results for"};

constexpr std::string_view kCaptchaPaths[] = {"/captcha/"};
constexpr std::string_view kGooglePaths[] = {"/sorry/"};
constexpr std::string_view kSogouPaths[] = {"/antispider/"};
constexpr std::string_view kBingPaths[] = {"/challenge/"};
// Sent instead of results to a client that runs no script.
constexpr std::string_view kGoogleScriptOnly[] = {"/httpservice/retry/enablejs"};

constexpr std::string_view kChineseVerification[] = {"安全验证", "验证码", "异常访问", "异常流量",
                                                     "unusual traffic"};
constexpr std::string_view kGoogleVerification[] = {"unusual traffic", "异常流量", "验证码"};
// The challenge's own markup: its wording ("One last step", "最后一步") could stand in a
// searched sentence.
constexpr std::string_view kBingVerification[] = {"class=\"captcha\"", "/challenge/verify"};

// Indexed by the engine combo box's selection.
constexpr std::array<Engine, 6> kEngines = {{
    {.caption = "百度",
     .host = "www.baidu.com",
     .path_and_key = "/s?wd=",
     .encoding = SentenceEncoding::gbk_percent,
     .result_list = kBaiduList,
     .result_items = kBaiduItems,
     .prefix_tag_opener = false,
     .may_block = true,
     .no_results = kBaiduNoResults,
     .verification_paths = kCaptchaPaths,
     .verification_words = kChineseVerification},
    {.caption = "360",
     .host = "www.so.com",
     .path_and_key = "/s?q=",
     .encoding = SentenceEncoding::utf8_percent,
     .result_list = k360List,
     .result_items = k360Items,
     .prefix_tag_opener = false,
     .may_block = false,
     .no_results = k360NoResults,
     .verification_paths = kCaptchaPaths,
     .verification_words = kChineseVerification},
    {.caption = "soso",
     .host = "www.soso.com",
     .path_and_key = "/q?w=",
     .encoding = SentenceEncoding::gbk_percent,
     .result_list = kSosoList,
     .result_items = kSosoItems,
     .prefix_tag_opener = true,
     .may_block = false,
     .no_results = kSosoNoResults,
     .verification_paths = kCaptchaPaths,
     .verification_words = kChineseVerification},
    {.caption = "谷歌",
     .host = "www.google.com",
     .path_and_key = "/search?q=",
     .encoding = SentenceEncoding::unescaped,
     .result_list = kGoogleList,
     .result_items = kGoogleItems,
     .prefix_tag_opener = false,
     .may_block = false,
     .no_results = kGoogleNoResults,
     .verification_paths = kGooglePaths,
     .verification_words = kGoogleVerification,
     .script_only_paths = kGoogleScriptOnly},
    {.caption = "搜狗",
     .host = "www.sogou.com",
     .path_and_key = "/web?query=",
     .encoding = SentenceEncoding::utf8_percent,
     .result_list = kSogouList,
     .result_items = kSogouItems,
     .prefix_tag_opener = false,
     .may_block = false,
     .no_results = kSogouNoResults,
     .verification_paths = kSogouPaths,
     .verification_words = kChineseVerification},
    {.caption = "必应",
     .host = "cn.bing.com",
     .path_and_key = "/search?q=",
     .encoding = SentenceEncoding::utf8_percent,
     .result_list = kBingList,
     .result_items = kBingItems,
     .result_link_after = "<h2",
     .prefix_tag_opener = false,
     .may_block = false,
     .no_results = kBingNoResults,
     .verification_paths = kBingPaths,
     .verification_words = kBingVerification},
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
