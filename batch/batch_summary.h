#pragma once

#include <cstdint>
#include <string>

#include "batch/batch_counts.h"

// The closing line of a batch, GBK: "完成！总耗时 4.5 秒！已检测 3 篇，平均耗时
// 1.5 秒！原创 1 篇，原创比率 33.33 %", followed, each only when there are
// any, by "，无法读取 N 篇" and "，复制失败 N 篇" for files left in place,
// "，重名另存 N 篇" for copies stored as "x(2).txt" and so on, and
// "，检测中被改动 N 篇（未删除）" for files kept because they changed while
// checked, and "，无法判断 N 篇" for files left in place because the engine's
// result pages could not be read. With no file examined the average reads "0 毫秒" and the ratio 0.
//
// `total_ms` is the whole batch; `elapsed_ms` the time the average divides.
std::string batch_summary(const BatchCounts& counts, uint32_t total_ms, uint32_t elapsed_ms);
