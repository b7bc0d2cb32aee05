#include "search/cached_answers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <numeric>
#include <vector>

#include "check/piece_order.h"
#include "search/simplified_chinese.h"
#include "support/gbk.h"
#include "support/keyed_hash.h"
#include "tests/testsupport/fake_window.h"
#include "tests/testsupport/temp_dir.h"

namespace {

// The consistent draw is a permutation under every key, and no text comes first
// more often than another: short or long, empty, Latin or Chinese.
TEST(ConsistentDraw, EveryPieceComesOnceAndNoneIsFavouredByItsText) {
  const std::vector<std::string> pieces = {gbk("第一句话"), "", gbk("一个长得多的句子，里面有很多很多的字"),
                                           "abc", gbk("ＡＢＣ全角的句子"), gbk("繁體字的句子")};
  constexpr int kKeys = 6000;
  std::vector<int> first(pieces.size());
  std::vector<int> all(pieces.size());
  std::iota(all.begin(), all.end(), 0);
  for (int k = 0; k < kKeys; ++k) {
    const std::string key = random_bytes(32);
    std::vector<std::string> ranks;
    for (const std::string& piece : pieces) ranks.push_back(keyed_draw_rank(key, piece));
    PieceOrder order(ranks);
    std::vector<int> offered;
    for (size_t turn = 0; turn < pieces.size(); ++turn) offered.push_back(order.next());
    ++first[offered.front()];
    std::ranges::sort(offered);
    ASSERT_EQ(offered, all);
  }
  // 1000 expected each, a standard deviation of about 29.
  for (size_t piece = 0; piece < pieces.size(); ++piece)
    EXPECT_NEAR(first[piece], kKeys / static_cast<int>(pieces.size()), 150) << "piece " << piece;
}

// The same text twice (the same searched form) is still offered twice.
TEST(ConsistentDraw, PiecesOfTheSameTextAreEachOffered) {
  const std::string key = random_bytes(32);
  const std::vector<std::string> ranks = {keyed_draw_rank(key, gbk("同一句")), keyed_draw_rank(key, gbk("别的")),
                                          keyed_draw_rank(key, gbk("同一句"))};
  PieceOrder order(ranks);
  std::vector<int> offered = {order.next(), order.next(), order.next()};
  std::ranges::sort(offered);
  EXPECT_EQ(offered, (std::vector<int>{0, 1, 2}));
}

TEST(CachedAnswers, OnlyRealAnswersAreKeptAndComeBackAsTheEngineGaveThem) {
  TempDir folder;
  FakeWindow window;
  CachedAnswers cache(window, folder / "结果缓存.sqlite", CacheSettings{});
  const struct {
    SentenceOutcome outcome;
    bool kept;
  } cases[] = {
      {SentenceOutcome::indexed, true},        {SentenceOutcome::not_indexed, true},
      {SentenceOutcome::unrecognised, false},  {SentenceOutcome::fetch_failed, false},
      {SentenceOutcome::stopped, false},
  };
  for (const auto& c : cases) {
    // Asked in Traditional characters, kept and found by the searched form.
    const std::string sentence = gbk("這是第") + std::to_string(static_cast<int>(c.outcome)) + gbk("個句子");
    const SentenceAnswer given{.outcome = c.outcome,
                               .engine = gbk("百度"),
                               .searched = searched_form(sentence),
                               .query_url = "http://www.baidu.com/s?wd=x",
                               .result_title = gbk("结果的标题"),
                               .result_link = "http://example.com/a"};
    const std::time_t before = std::time(nullptr);
    cache.remember(given);
    const std::optional<SentenceAnswer> recalled = cache.recall(searched_form(sentence), 0);
    ASSERT_EQ(recalled.has_value(), c.kept) << static_cast<int>(c.outcome);
    EXPECT_FALSE(cache.recall(sentence, 1).has_value()) << "another engine";
    if (!recalled) continue;
    EXPECT_EQ(recalled->outcome, given.outcome);
    EXPECT_EQ(recalled->engine, given.engine);
    EXPECT_EQ(recalled->searched, given.searched);
    EXPECT_EQ(recalled->query_url, given.query_url);
    EXPECT_EQ(recalled->result_title, given.result_title);
    EXPECT_EQ(recalled->result_link, given.result_link);
    ASSERT_TRUE(recalled->cached_at.has_value());
    EXPECT_GE(*recalled->cached_at, before);
    EXPECT_EQ(cache.recall(sentence, 0).has_value(), true) << "Traditional form";
  }
  EXPECT_TRUE(window.messages.empty());
}

}  // namespace
