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

// Indexed by the engine combo box's selection.
constexpr std::array<Engine, 5> kEngines = {{
    {"百度", "www.baidu.com", "/s?wd=", SentenceEncoding::gbk_percent, kBaiduList, kBaiduItems, false, true},
    {"360", "www.so.com", "/s?q=", SentenceEncoding::utf8_percent, k360List, k360Items, false, false},
    {"soso", "www.soso.com", "/q?w=", SentenceEncoding::gbk_percent, kSosoList, kSosoItems, true, false},
    {"谷歌", "www.google.com", "/search?q=", SentenceEncoding::unescaped, kGoogleList, kGoogleItems, false,
     false},
    {"搜狗", "www.sogou.com", "/web?query=", SentenceEncoding::utf8_percent, kSogouList, kSogouItems, false,
     false},
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
