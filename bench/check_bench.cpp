// Preparing a 10 MB article for the content check: cleaning it, cutting it into
// pieces, and drawing every piece in random order, each trimmed and counted as the
// check does before a search. Goal: under 50 ms per MB for the whole of it.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "check/article_check.h"
#include "check/random_seeder.h"
#include "check/report_folder.h"
#include "check/sentence_draw_pool.h"
#include "check/sentences.h"
#include "check/text_expressions.h"
#include "support/gbk.h"
#include "tests/testsupport/fake_window.h"
#include "tests/testsupport/temp_dir.h"

namespace {

constexpr size_t kArticleBytes = 10 * 1024 * 1024;
constexpr double kBytesPerMb = 1024.0 * 1024.0;

// A fixed sequence, so every run prepares the same article.
class Sequence {
 public:
  uint32_t next(uint32_t bound) {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<uint32_t>(state_ >> 33) % bound;
  }

 private:
  uint64_t state_ = 88172645463325252ULL;
};

// Sentences of common characters between delimiters, with the markup, addresses,
// numbers and blanks the cleaning and the trim deal with; UTF-8.
std::string article_utf8() {
  static constexpr std::string_view kCharacters =
      "的一是在不了有和人这中大为上个国我以要他时来用们生到作地于出就分对成会可主发年动同工也能下过子说产种面"
      "而方后多定行学法所民得经十三之进着等部度家电力里如水化高自二理起小物现实加量都两体制机当使点从业本去"
      "把";
  static constexpr std::string_view kDelimiters[] = {"，", "。", "；", "！", "？", "……", ",", "\r\n", "  "};
  static constexpr std::string_view kExtras[] = {
      "<p class=\"text\">",  "</p>",     "&nbsp;", "&#12288;", "http://www.example.com/a?id=7 ",
      "editor@example.com ", "20240101", "　　",   "\t",       " Version 2.0 "};
  constexpr uint32_t kCharacterCount = kCharacters.size() / 3;

  Sequence random;
  std::string text;
  text.reserve(kArticleBytes * 3 / 2);
  while (text.size() < kArticleBytes * 3 / 2) {
    for (uint32_t length = 4 + random.next(24); length > 0; --length) {
      text += kCharacters.substr(3 * random.next(kCharacterCount), 3);
      if (random.next(40) == 0) text += kExtras[random.next(std::size(kExtras))];
    }
    text += kDelimiters[random.next(std::size(kDelimiters))];
  }
  return text;
}

const std::string& article_gbk() {
  static const std::string article = gbk_from_utf8(article_utf8()).substr(0, kArticleBytes);
  return article;
}

// Expressions as a run with both cleaning options on and runs of 5 digits sets them.
TextExpressions run_expressions() {
  FakeWindow window;
  window.set_checked(Control::选择框忽略网址邮箱, true);
  window.set_checked(Control::选择框忽略数字, true);
  window.set_text(Control::编辑框数字位数, "5");
  TextExpressions expressions;
  prepare_window_expressions(expressions);
  build_cleaning_expression(window, expressions);
  return expressions;
}

void report_per_mb(benchmark::State& state, size_t bytes) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
  // Inverted rate: seconds per megabyte, printed in time units.
  state.counters["per_MB"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * (static_cast<double>(bytes) / kBytesPerMb),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Draws every piece, trimming and counting each as the check does; returns the
// number that would qualify with a minimum of 5 characters.
int draw_every_piece(const TextExpressions& expressions, const std::vector<std::string>& pieces,
                     RandomSeeder& seeder) {
  seeder.seed_from_clock();
  SentenceDrawPool pool(seeder);
  const int piece_count = static_cast<int>(pieces.size());
  int qualifying = 0;
  for (int turn = 1; turn <= piece_count; ++turn) {
    const std::string sentence = trim_blanks(expressions.trim, pieces[pool.draw(1, piece_count) - 1]);
    if (!sentence.empty() && count_chars(sentence) >= 5) ++qualifying;
  }
  return qualifying;
}

void BM_CleanSplitAndDrawEveryPiece(benchmark::State& state) {
  const std::string& article = article_gbk();
  const TextExpressions expressions = run_expressions();
  RandomSeeder seeder;
  size_t piece_count = 0;
  for (auto _ : state) {
    const std::vector<std::string> pieces =
        split_sentences(expressions.delimiter, clean_content(expressions.cleaning, article));
    benchmark::DoNotOptimize(draw_every_piece(expressions, pieces, seeder));
    piece_count = pieces.size();
  }
  report_per_mb(state, article.size());
  state.counters["pieces"] = static_cast<double>(piece_count);
}
BENCHMARK(BM_CleanSplitAndDrawEveryPiece)->Unit(benchmark::kMillisecond);

// The three stages on their own, to see where the time goes.
void BM_Clean(benchmark::State& state) {
  const std::string& article = article_gbk();
  const TextExpressions expressions = run_expressions();
  for (auto _ : state) benchmark::DoNotOptimize(clean_content(expressions.cleaning, article));
  report_per_mb(state, article.size());
}
BENCHMARK(BM_Clean)->Unit(benchmark::kMillisecond);

void BM_Split(benchmark::State& state) {
  const std::string& article = article_gbk();
  const TextExpressions expressions = run_expressions();
  const std::string cleaned = clean_content(expressions.cleaning, article);
  for (auto _ : state) benchmark::DoNotOptimize(split_sentences(expressions.delimiter, cleaned));
  report_per_mb(state, article.size());
}
BENCHMARK(BM_Split)->Unit(benchmark::kMillisecond);

void BM_DrawEveryPiece(benchmark::State& state) {
  const std::string& article = article_gbk();
  const TextExpressions expressions = run_expressions();
  const std::vector<std::string> pieces =
      split_sentences(expressions.delimiter, clean_content(expressions.cleaning, article));
  RandomSeeder seeder;
  for (auto _ : state) benchmark::DoNotOptimize(draw_every_piece(expressions, pieces, seeder));
  report_per_mb(state, article.size());
}
BENCHMARK(BM_DrawEveryPiece)->Unit(benchmark::kMillisecond);

}  // namespace

// The report of a 10-sentence check of a 20 KB article, half the sentences indexed
// with a result each: the page made and written into the report folder, as a check
// does before showing its verdict.
void BM_WriteReportOfTenSentenceCheck(benchmark::State& state) {
  FakeWindow window;
  window.set_text(Control::编辑框句数, "10");
  // Every other sentence indexed: by the not-indexed rate at 55% all ten are searched.
  window.set_text(Control::编辑框判断比例, "55");
  window.set_text(Control::编辑框间隔秒, "0");
  window.set_text(Control::编辑框最少字数, "5");
  window.set_checked(Control::选择框判断内容, true);
  window.set_checked(Control::单选框按未收录率, true);
  TextExpressions expressions;
  prepare_window_expressions(expressions);
  build_cleaning_expression(window, expressions);
  RandomSeeder seeder;
  bool stop = false;
  int asked = 0;
  CheckContext context{window, stop, expressions, seeder, [&asked](std::string_view sentence, int) {
                         const bool indexed = asked++ % 2 == 1;
                         return SentenceAnswer{
                             .outcome = indexed ? SentenceOutcome::indexed : SentenceOutcome::not_indexed,
                             .engine = gbk("百度"),
                             .searched = std::string(sentence),
                             .query_url = "http://www.baidu.com/s?wd=%D6%D0%CE%C4",
                             .result_title = indexed ? gbk("收录这句话的网页标题") : std::string(),
                             .result_link = indexed ? "https://www.example.com/news/1.html" : std::string()};
                       }};
  std::string title = gbk("基准测试的文章标题");
  check_article(context, false, title, true, article_gbk().substr(0, 20 * 1024), true);

  TempDir folder;
  const ReportFolder reports(folder.path());
  for (auto _ : state) {
    const std::optional<std::filesystem::path> file = reports.write_report(context.record);
    if (!file) state.SkipWithError("the report could not be written");
    std::filesystem::remove(*file);
  }
  state.counters["searched"] = static_cast<double>(context.record.searched.size());
}
BENCHMARK(BM_WriteReportOfTenSentenceCheck)->Unit(benchmark::kMicrosecond);
