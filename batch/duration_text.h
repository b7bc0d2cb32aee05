#pragma once

#include <cstdint>
#include <string>

// A duration as the batch summary shows it, GBK: the largest unit in which it is
// at least 1 (毫秒, 秒, 分, 时, 天, 月 of 30 days, 年 of 12 months), rounded to
// two decimals after the unit is chosen, so 59999 ms reads "60 秒".
std::string format_duration(int64_t milliseconds);
