#include "check/content_check.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "check/random_seeder.h"
#include "tests/check/check_fixture.h"

namespace {

class ContentCheckTest : public CheckFixture {
 protected:
  ContentVerdict run(std::string_view content_utf8, const ContentSettings& settings) {
    return check_content(context, gbk(content_utf8), settings);
  }

  static ContentSettings by_not_indexed_rate(int sentences, int rate_percent) {
    return {.requested_sentences = sentences, .rate_percent = rate_percent};
  }
  static ContentSettings by_indexed_rate(int sentences, int rate_percent) {
    return {.requested_sentences = sentences, .rate_percent = rate_percent, .by_indexed_rate = true};
  }
};

TEST_F(ContentCheckTest, NotIndexedRate60Of10) {
  // Six not indexed: 60 % reached after the sixth search.
  EXPECT_TRUE(run(numbered_sentences(12), by_not_indexed_rate(10, 60)).original);
  EXPECT_EQ(queries.size(), 6u);

  // Five indexed: the other five could make 50 % at most.
  queries.clear();
  default_answer = true;
  EXPECT_FALSE(run(numbered_sentences(12), by_not_indexed_rate(10, 60)).original);
  EXPECT_EQ(queries.size(), 5u);
}

TEST_F(ContentCheckTest, IndexedRate10Of10) {
  answers = {true};
  EXPECT_FALSE(run(numbered_sentences(12), by_indexed_rate(10, 10)).original);
  EXPECT_EQ(queries.size(), 1u);

  queries.clear();
  const ContentVerdict verdict = run(numbered_sentences(12), by_indexed_rate(10, 10));
  EXPECT_TRUE(verdict.original);
  EXPECT_EQ(queries.size(), 10u);
  EXPECT_EQ(verdict.tally.searched, 10);
  EXPECT_EQ(verdict.tally.not_indexed, 10);
}

TEST_F(ContentCheckTest, NotIndexedRate60Of3) {
  EXPECT_TRUE(run(numbered_sentences(3), by_not_indexed_rate(10, 60)).original);
  EXPECT_EQ(queries.size(), 2u);

  queries.clear();
  answers = {true, true};
  EXPECT_FALSE(run(numbered_sentences(3), by_not_indexed_rate(10, 60)).original);
  EXPECT_EQ(queries.size(), 2u);

  // One of each leaves it open; the third decides.
  queries.clear();
  answers = {true, false, false};
  EXPECT_TRUE(run(numbered_sentences(3), by_not_indexed_rate(10, 60)).original);
  EXPECT_EQ(queries.size(), 3u);
}

// A page that could not be read may hide either answer: an original verdict must
// hold whatever those pages said, so must a verdict of not original, and when
// neither does the check settles nothing.
TEST_F(ContentCheckTest, AnUnreadablePageNeverTipsTheVerdict) {
  struct Case {
    std::string_view name;
    ContentSettings settings;
    bool original;
    bool unreadable;
    std::string content = numbered_sentences(3);
  };
  // Five of ten pieces long enough: 5 of 10 not indexed with the unread one, 4 without,
  // and nothing left to search.
  ContentSettings run_out = by_not_indexed_rate(10, 50);
  run_out.min_chars = 4;
  const Case cases[] = {
      {"NotIndexedRateNeedsTheUnreadOne", by_not_indexed_rate(3, 100), false, true},
      {"NotIndexedRateMadeWithoutIt", by_not_indexed_rate(3, 60), true, false},
      {"IndexedRateOutOfReachWithIt", by_indexed_rate(3, 50), true, false},
      {"IndexedRateReachedIfItWereIndexed", by_indexed_rate(3, 30), false, true},
      {"SentencesRunOutWithOnlyTheUnreadOneToDecide", run_out, false, true,
       numbered_sentences(5) + "短。短。短。短。短。"},
  };
  unreadable = {"第2个句子"};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    queries.clear();
    const ContentVerdict verdict = run(c.content, c.settings);
    EXPECT_EQ(verdict.original, c.original);
    EXPECT_EQ(verdict.unreadable, c.unreadable);
    EXPECT_LE(queries.size(), 5u);
  }
}

TEST_F(ContentCheckTest, EverySentenceIsSearchedAtMostOnce) {
  run(numbered_sentences(12), by_not_indexed_rate(12, 100));
  std::set<std::string> asked;
  for (const Query& query : queries) asked.insert(query.sentence);
  EXPECT_EQ(queries.size(), 12u);
  EXPECT_EQ(asked.size(), 12u);
}

TEST_F(ContentCheckTest, RunningOutOfQualifyingSentencesIsNotOriginal) {
  // Three sentences long enough among eleven pieces: all not indexed make 30 % of 10.
  const std::string content = numbered_sentences(3) + "短。短。短。短。短。短。短。短。";
  ContentSettings settings = by_not_indexed_rate(10, 60);
  settings.min_chars = 4;
  const ContentVerdict verdict = run(content, settings);
  EXPECT_FALSE(verdict.original);
  EXPECT_EQ(queries.size(), 3u);
  EXPECT_EQ(utf8_from_gbk(verdict.tally.rate_text()), "未收录率 30");
}

TEST_F(ContentCheckTest, ShortPiecesUseUpTheirTurnUnsearched) {
  ContentSettings settings = by_not_indexed_rate(10, 60);
  settings.min_chars = 10;
  EXPECT_FALSE(run("九个汉字的一个句子。十个汉字的一个句子啊。", settings).original);
  ASSERT_EQ(queries.size(), 1u);
  EXPECT_EQ(queries[0].sentence, "十个汉字的一个句子啊");
}

TEST_F(ContentCheckTest, NoSentenceToCountIsIndexedAtOnce) {
  EXPECT_FALSE(run(numbered_sentences(3), by_not_indexed_rate(0, 60)).original);
  EXPECT_FALSE(run("", by_not_indexed_rate(10, 60)).original);
  // Only delimiters: three empty pieces, none searched.
  const ContentVerdict verdict = run("，，，", by_not_indexed_rate(10, 60));
  EXPECT_FALSE(verdict.original);
  EXPECT_EQ(verdict.tally.sentence_count, 3);
  EXPECT_TRUE(queries.empty());
}

TEST_F(ContentCheckTest, ThresholdOutsideOneToHundredIsTen) {
  // At 10 %, one indexed sentence of ten decides.
  answers = {true};
  EXPECT_FALSE(run(numbered_sentences(10), by_indexed_rate(10, 150)).original);
  EXPECT_EQ(queries.size(), 1u);

  // At 0 % nothing indexed would decide at once; at 10 % it takes all ten.
  for (const int out_of_range : {0, -5}) {
    queries.clear();
    EXPECT_TRUE(run(numbered_sentences(10), by_indexed_rate(10, out_of_range)).original);
    EXPECT_EQ(queries.size(), 10u);
  }
}

TEST_F(ContentCheckTest, RatesCompareInDoublePrecisionWithTolerance) {
  // 29 / 50 * 100 comes out just below 58 in double precision.
  EXPECT_TRUE(run(numbered_sentences(50), by_not_indexed_rate(50, 58)).original);
  EXPECT_EQ(queries.size(), 29u);
}

TEST_F(ContentCheckTest, StatusTellsTheCountsBeforeEachSearchAndTheReportAfter) {
  on_query = [this] {
    // The progress bar follows the searched sentences.
    EXPECT_EQ(window.progress_position[Control::进度条], static_cast<int>(queries.size()));
  };
  EXPECT_TRUE(run(numbered_sentences(3), by_not_indexed_rate(3, 60)).original);
  ASSERT_EQ(queries.size(), 2u);
  EXPECT_EQ(queries[0].status,
            "【检测内容】句子总数 3;正检测第 1 个句子;当前未收录率 0%;正检测 >>> " + queries[0].sentence);
  EXPECT_EQ(queries[1].status,
            "【检测内容】句子总数 3;正检测第 2 个句子;当前未收录率 33.33%;正检测 >>> " + queries[1].sentence);
  EXPECT_EQ(status_utf8(),
            "【检测报告】句子总数 3;正检测第 2 个句子;当前未收录率 66.67%;正检测 >>> " + queries[1].sentence);

  queries.clear();
  answers = {true};
  run(numbered_sentences(8), by_indexed_rate(8, 50));
  ASSERT_GE(queries.size(), 2u);
  EXPECT_EQ(queries[1].status,
            "【检测内容】句子总数 8;正检测第 2 个句子;当前收录率 12.5%;正检测 >>> " + queries[1].sentence);
}

TEST_F(ContentCheckTest, ReportPauseRunsItsFullLengthDespiteAStop) {
  int rounds_in_pause = 0;
  window.on_events = [this, &rounds_in_pause] {
    if (!status_utf8().starts_with("【检测报告】")) return;
    ++rounds_in_pause;
    stop_requested = true;
  };
  EXPECT_TRUE(run(numbered_sentences(3), by_not_indexed_rate(3, 60)).original);
  EXPECT_EQ(rounds_in_pause, 50);  // 500 ms in 10 ms slices

  // A verdict because the rate is out of reach comes without report or pause.
  stop_requested = false;
  window.on_events = nullptr;
  default_answer = true;
  EXPECT_FALSE(run(numbered_sentences(3), by_not_indexed_rate(3, 60)).original);
  EXPECT_EQ(window.event_rounds, queries.back().event_rounds);
}

// A seed whose first draw out of two pieces takes piece `piece`.
uint32_t clock_drawing_first(int piece) {
  for (uint32_t milliseconds = 0;; ++milliseconds) {
    std::srand(milliseconds);
    if (1 + std::rand() % 2 == piece) return milliseconds;
  }
}

TEST_F(ContentCheckTest, OnlyTheFirstTurnGoesWithoutWaiting) {
  ContentSettings settings = by_not_indexed_rate(10, 60);
  settings.interval_seconds = 0.05f;  // five slices
  // An empty piece and one sentence: the sentence is drawn in turn 1 or in turn 2.
  const std::string content = "，一个句子";

  seeder = RandomSeeder([tick = clock_drawing_first(2)] { return tick; });
  run(content, settings);
  ASSERT_EQ(queries.size(), 1u);
  EXPECT_EQ(queries[0].event_rounds, 2);  // the two rounds of turn 1, no wait

  seeder = RandomSeeder([tick = clock_drawing_first(1)] { return tick; });
  queries.clear();
  window.event_rounds = 0;
  run(content, settings);
  ASSERT_EQ(queries.size(), 1u);
  EXPECT_EQ(queries[0].event_rounds, 1 + 2 + 5);  // turn 1 skipped, turn 2 waits
}

TEST_F(ContentCheckTest, TheEngineIsReadForEverySearch) {
  on_query = [this] { window.set_selected_index(Control::组合框引擎, 3); };
  run(numbered_sentences(3), by_not_indexed_rate(3, 60));
  ASSERT_EQ(queries.size(), 2u);
  EXPECT_EQ(queries[0].engine_index, 0);
  EXPECT_EQ(queries[1].engine_index, 3);
}

TEST_F(ContentCheckTest, AStopFromTheSearchEndsWithoutVerdict) {
  on_query = [this] { stop_requested = true; };
  EXPECT_FALSE(run(numbered_sentences(3), by_not_indexed_rate(3, 60)).original);
  EXPECT_EQ(queries.size(), 1u);
  EXPECT_FALSE(status_utf8().starts_with("【检测报告】"));
}

TEST_F(ContentCheckTest, SentencesAreCutFromTheCleanedContent) {
  run("<p>第一个句子</p>&nbsp;。<br>第二个<b>句子</b>", by_not_indexed_rate(2, 100));
  std::set<std::string> asked;
  for (const Query& query : queries) asked.insert(query.sentence);
  EXPECT_EQ(asked, (std::set<std::string>{"第一个句子", "第二个句子"}));
}

}  // namespace
