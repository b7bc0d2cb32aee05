#include "check/setting_values.h"

#include <algorithm>
#include <cmath>
#include <limits>

int truncated_to_int(double value) {
  constexpr double kLowest = std::numeric_limits<int>::min();
  constexpr double kHighest = std::numeric_limits<int>::max();
  if (std::isnan(value)) return 0;
  return static_cast<int>(std::clamp(value, kLowest, kHighest));
}

int wait_milliseconds(double seconds) {
  return std::max(0, truncated_to_int(seconds * 1000));
}
