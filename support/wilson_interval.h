#pragma once

#include <optional>

// A range of shares, as fractions from 0 to 1.
struct ShareInterval {
  double low = 0;
  double high = 0;
};

// The 95 % Wilson score interval of the share behind `hits` of `trials` (z = 1.96).
// Unlike the plain p ± z·se it stays inside 0..1 and is not empty at 0 or all hits,
// which a sample of a few sentences often gives. None without trials, or with hits
// outside 0..trials.
std::optional<ShareInterval> wilson_interval_95(int hits, int trials);
