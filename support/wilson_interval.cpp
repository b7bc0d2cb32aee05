#include "support/wilson_interval.h"

#include <cmath>

namespace {

constexpr double kZ95 = 1.96;

}  // namespace

std::optional<ShareInterval> wilson_interval_95(int hits, int trials) {
  if (trials < 1 || hits < 0 || hits > trials) return std::nullopt;
  const double n = trials;
  const double p = hits / n;
  const double z2 = kZ95 * kZ95;
  const double denominator = 1 + z2 / n;
  const double centre = (p + z2 / (2 * n)) / denominator;
  const double half_width = kZ95 * std::sqrt(p * (1 - p) / n + z2 / (4 * n * n)) / denominator;
  // At no hits or all hits the bound is 0 or 1 exactly, not a rounding away from it.
  return ShareInterval{.low = hits == 0 ? 0.0 : centre - half_width,
                       .high = hits == trials ? 1.0 : centre + half_width};
}
