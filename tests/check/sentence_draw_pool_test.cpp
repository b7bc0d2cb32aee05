#include "check/sentence_draw_pool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <vector>

#include "check/random_seeder.h"

namespace {

RandomSeeder::Clock fixed_clock(uint32_t milliseconds) {
  return [milliseconds] { return milliseconds; };
}

TEST(RandomSeeder, SeedingsWithinOneMillisecondDiffer) {
  RandomSeeder seeder(fixed_clock(1000));
  EXPECT_EQ(seeder.seed_with_counter(), 1000u);
  // The counter grew by 100 plus 1000's low byte (232).
  EXPECT_EQ(seeder.seed_with_counter(), 1332u);
  EXPECT_EQ(seeder.seed_with_counter(), 1332u + 100 + (1332 & 0xFF));
}

TEST(SentenceDrawPool, OverPTurnsEveryNumberComesOnce) {
  RandomSeeder seeder;
  for (const int p : {1, 2, 7, 1000}) {
    SentenceDrawPool pool(seeder);
    std::vector<int> drawn;
    for (int turn = 0; turn < p; ++turn) drawn.push_back(pool.draw(1, p));
    std::sort(drawn.begin(), drawn.end());
    std::vector<int> expected(p);
    std::iota(expected.begin(), expected.end(), 1);
    EXPECT_EQ(drawn, expected) << "p = " << p;
  }
}

TEST(SentenceDrawPool, TakesPositionOnePlusRandModSizeFromTheRemainingList) {
  constexpr int kLow = 5;
  constexpr int kHigh = 64;
  // The same draws made on a plain list, as the numbers behind a taken one move up.
  RandomSeeder reference_seeder(fixed_clock(4242));
  std::vector<int> list(kHigh - kLow + 1);
  std::iota(list.begin(), list.end(), kLow);
  std::vector<int> expected;
  while (!list.empty()) {
    reference_seeder.seed_with_counter();
    const size_t position = 1 + std::rand() % list.size();
    expected.push_back(list[position - 1]);
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(position - 1));
  }

  RandomSeeder seeder(fixed_clock(4242));
  SentenceDrawPool pool(seeder);
  std::vector<int> drawn;
  for (size_t turn = 0; turn < expected.size(); ++turn) drawn.push_back(pool.draw(kLow, kHigh));
  EXPECT_EQ(drawn, expected);
}

TEST(SentenceDrawPool, RefillsOnceEmptyAndDrawsNothingFromAnEmptyRange) {
  RandomSeeder seeder;
  SentenceDrawPool pool(seeder);
  EXPECT_EQ(pool.draw(3, 3), 3);
  // Empty again: the new bounds count.
  EXPECT_EQ(pool.draw(8, 8), 8);
  EXPECT_EQ(pool.draw(4, 3), 3);
  EXPECT_EQ(pool.draw(1, 2) + pool.draw(1, 2), 3);
}

}  // namespace
