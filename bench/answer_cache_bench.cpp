// The answer cache at 1,000,000 stored answers: one lookup in the store, and what
// the cache adds to each searched sentence of a check (the sentence's draw rank,
// the lookup, and on a miss keeping the engine's answer).

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <filesystem>
#include <string>

#include "search/answer_store.h"
#include "search/cached_answers.h"
#include "search/engine_table.h"
#include "support/gbk.h"
#include "tests/testsupport/fake_window.h"
#include "tests/testsupport/temp_dir.h"

namespace {

constexpr int kStoredAnswers = 1'000'000;
constexpr int kBaidu = 0;

// The n-th stored sentence (GBK), as long as a typical one, and already in its
// searched form (no full-width signs), as the store keeps it.
std::string stored_sentence(int n) {
  return gbk("第" + std::to_string(n) + "句近日新一期的环保目录发布不少进口车型在列");
}

// A sentence no answer is stored for: each is used once in the whole program.
std::string unknown_sentence() {
  static int next = 0;
  return gbk("第" + std::to_string(next++) + "句没有人问过搜索引擎的一句话它还不在缓存里");
}

// The cache file, filled once for the whole program in one transaction (keeping a
// million answers one by one, as checks do, would take minutes).
struct FilledCache {
  FilledCache() {
    const std::filesystem::path file = folder / kCacheFileName;
    std::get<AnswerStore>(AnswerStore::open(file, lifetimes));
    sqlite3* database = nullptr;
    sqlite3_open(file.c_str(), &database);
    sqlite3_exec(database, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(database,
                       "INSERT INTO answers(engine, sentence, outcome, result_title, result_link, query_url, "
                       "asked_at) VALUES('百度', ?1, ?2, '', '', ?3, strftime('%s', 'now'))",
                       -1, &insert, nullptr);
    for (int n = 0; n < kStoredAnswers; ++n) {
      const std::string sentence = utf8_from_gbk(stored_sentence(n));
      sqlite3_bind_text(insert, 1, sentence.c_str(), -1, SQLITE_TRANSIENT);
      sqlite3_bind_text(insert, 2, n % 10 == 0 ? "收录" : "未收录", -1, SQLITE_STATIC);
      const std::string url = "http://www.baidu.com/s?wd=" + std::to_string(n);
      sqlite3_bind_text(insert, 3, url.c_str(), -1, SQLITE_TRANSIENT);
      sqlite3_step(insert);
      sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(database, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(database);
  }

  TempDir folder;
  const AnswerLifetimes lifetimes{.indexed_seconds = 30 * 86400.0, .not_indexed_seconds = 2 * 86400.0};
};

FilledCache& filled_cache() {
  static FilledCache cache;
  return cache;
}

void BM_StoreLookupAtMillionAnswers(benchmark::State& state) {
  FilledCache& cache = filled_cache();
  AnswerStore store =
      std::get<AnswerStore>(AnswerStore::open(cache.folder / kCacheFileName, cache.lifetimes));
  const std::string engine = gbk("百度");
  std::optional<StoredAnswer> answer;
  int n = 0;
  for (auto _ : state) {
    const std::string sentence = stored_sentence(static_cast<int>((n++ * 7919L) % kStoredAnswers));
    if (!store.find(engine, sentence, answer) || !answer)
      state.SkipWithError("a stored answer was not found");
  }
}
BENCHMARK(BM_StoreLookupAtMillionAnswers)->Unit(benchmark::kMicrosecond);

// A check's work per sentence: its draw rank and the lookup; on a miss (range 0)
// also keeping the engine's answer, which commits one write.
void BM_CacheOverheadPerSentence(benchmark::State& state) {
  const bool answered_by_cache = state.range(0) == 1;
  FilledCache& cache = filled_cache();
  FakeWindow window;
  CachedAnswers answers(window, cache.folder / kCacheFileName, CacheSettings{});
  int n = 0;
  for (auto _ : state) {
    const std::string sentence = answered_by_cache
                                     ? stored_sentence(static_cast<int>((n++ * 7919L) % kStoredAnswers))
                                     : unknown_sentence();
    benchmark::DoNotOptimize(answers.draw_rank(sentence));
    const std::optional<SentenceAnswer> recalled = answers.recall(sentence, kBaidu);
    if (answered_by_cache != recalled.has_value())
      state.SkipWithError("the cache answered otherwise than stored");
    if (!recalled) {
      answers.remember({.outcome = SentenceOutcome::not_indexed,
                        .engine = gbk(engine_at(kBaidu)->caption),
                        .searched = sentence,
                        .query_url = "http://www.baidu.com/s?wd=x"});
    }
  }
  if (!window.messages.empty()) state.SkipWithError("the cache warned");
}
BENCHMARK(BM_CacheOverheadPerSentence)
    ->Arg(1)
    ->Arg(0)
    ->ArgName("answered_by_cache")
    ->Unit(benchmark::kMicrosecond);

}  // namespace
