#include "support/wilson_interval.h"

#include <gtest/gtest.h>

namespace {

// Published values of the interval at z = 1.96.
TEST(WilsonInterval, MatchesKnownValuesIsExactAtTheEndsAndNeedsTrials) {
  struct Case {
    int hits;
    int trials;
    double low;
    double high;
  };
  const Case cases[] = {
      {0, 1, 0.0, 0.7934567085261071},
      {1, 1, 0.20654329147389294, 1.0},
      {1, 2, 0.09452865480086611, 0.905471345199134},
      {1, 11, 0.016231752262825982, 0.3773646254862038},
      {10, 11, 0.6226353745137962, 0.9837682477371741},
      {10, 100, 0.05522854161313612, 0.1743673043676654},
      {25, 100, 0.17545094003724265, 0.3430464637007583},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.hits) + " of " + std::to_string(c.trials));
    const std::optional<ShareInterval> interval = wilson_interval_95(c.hits, c.trials);
    ASSERT_TRUE(interval);
    EXPECT_NEAR(interval->low, c.low, 1e-12);
    EXPECT_NEAR(interval->high, c.high, 1e-12);
  }
  // Where the formula rounds to just below 0 or above 1.
  EXPECT_EQ(wilson_interval_95(0, 5)->low, 0.0);
  EXPECT_EQ(wilson_interval_95(7, 7)->high, 1.0);
  // Nothing to estimate from.
  EXPECT_FALSE(wilson_interval_95(0, 0));
  EXPECT_FALSE(wilson_interval_95(-1, 3));
  EXPECT_FALSE(wilson_interval_95(4, 3));
}

}  // namespace
