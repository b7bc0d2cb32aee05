// One is_sentence_indexed query against the local engine answering at once, next to
// a bare libcurl GET of the same URL through the same proxy in the same run: what
// the query adds on top of the request (headers, events, charset handling, cutting
// the list, removing tags, the test).

#include <benchmark/benchmark.h>
#include <curl/curl.h>

#include <string>

#include "search/engine_query.h"
#include "search/engine_table.h"
#include "search/http_fetch_page.h"
#include "search/percent_encoding.h"
#include "support/gbk.h"
#include "support/regex_object.h"
#include "tests/testsupport/fake_window.h"
#include "tests/testsupport/http_search_site.h"
#include "tests/testsupport/local_engine.h"

namespace {

constexpr int kBaidu = 0;
constexpr std::string_view kSentence = "近日，新一期的环保目录发布";

// A Baidu result page of ten long results (about 40 KB, GBK), built once and served
// for every request, so that the server's share is the same for both benchmarks.
struct Engine {
  Engine() {
    SearchSite site;
    for (int i = 0; i < 10; ++i) {
      std::string document;
      for (int j = 0; j < 40; ++j)
        document += "第" + std::to_string(i) + "条结果的摘要，内容是一些常见的新闻文字。";
      site.index(document);
    }
    site.index(std::string("今天看到的消息：") + std::string(kSentence) + "，出现了不少进口车型。");
    ReceivedRequest search;
    search.host = "www.baidu.com";
    search.path = "/s?wd=" + percent_encode(gbk(kSentence));
    local.serve([page = site.answer(search)](const ReceivedRequest&) { return page; });
  }

  LocalEngine local;
};

Engine& engine() {
  static Engine instance;
  return instance;
}

void BM_IsSentenceIndexed(benchmark::State& state) {
  FakeWindow window;
  window.set_selected_index(Control::组合框代理形式, 2);
  window.set_text(Control::编辑框IP, engine().local.address());
  bool stop = false;
  RegexObject tag_expression;
  tag_expression.set_pattern("<.*?>");
  EngineQuery query(window, stop, tag_expression);
  const std::string sentence = gbk(kSentence);
  for (auto _ : state) {
    if (!query.is_sentence_indexed(sentence, kBaidu).indexed()) state.SkipWithError("sentence not found");
  }
}
BENCHMARK(BM_IsSentenceIndexed)->Unit(benchmark::kMicrosecond);

// The HTTP part of the query alone.
void BM_HttpFetchPage(benchmark::State& state) {
  FakeWindow window;
  bool stop = false;
  const HttpFetch fetch{.url = query_url(*engine_at(kBaidu), gbk(kSentence)),
                        .proxy_text = engine().local.address()};
  for (auto _ : state) {
    if (http_fetch_page(window, stop, fetch).text.empty()) state.SkipWithError("request failed");
  }
}
BENCHMARK(BM_HttpFetchPage)->Unit(benchmark::kMicrosecond);

size_t keep_body(char* data, size_t size, size_t count, void* body) {
  static_cast<std::string*>(body)->append(data, size * count);
  return size * count;
}

// A fresh handle per request, as every query makes a fresh request.
void BM_BareCurlGet(benchmark::State& state) {
  curl_global_init(CURL_GLOBAL_DEFAULT);
  const std::string url = query_url(*engine_at(kBaidu), gbk(kSentence));
  const std::string proxy = engine().local.address();
  for (auto _ : state) {
    std::string body;
    CURL* easy = curl_easy_init();
    curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy, CURLOPT_PROXY, proxy.c_str());
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &keep_body);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &body);
    if (curl_easy_perform(easy) != CURLE_OK || body.empty()) state.SkipWithError("request failed");
    curl_easy_cleanup(easy);
    benchmark::DoNotOptimize(body);
  }
}
BENCHMARK(BM_BareCurlGet)->Unit(benchmark::kMicrosecond);

}  // namespace
