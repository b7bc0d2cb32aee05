#include "batch/batch_summary.h"

#include <string_view>

#include "batch/duration_text.h"
#include "support/gbk.h"
#include "support/text_helpers.h"

namespace {

// ", what N 篇(note)", only for files that need a word.
std::string files_that(std::string_view what, int count, std::string_view note = {}) {
  if (count <= 0) return {};
  return gbk("，") + gbk(what) + " " + std::to_string(count) + " " + gbk("篇") + gbk(note);
}

}  // namespace

std::string batch_summary(const BatchCounts& counts, uint32_t total_ms, uint32_t elapsed_ms) {
  const int64_t average_ms = counts.examined > 0 ? elapsed_ms / counts.examined : 0;
  const double ratio =
      counts.examined > 0 ? static_cast<double>(counts.originals) / counts.examined * 100 : 0.0;
  return gbk("完成！总耗时 ") + format_duration(total_ms) + gbk("！已检测 ") +
         std::to_string(counts.examined) + gbk(" 篇，平均耗时 ") + format_duration(average_ms) +
         gbk("！原创 ") + std::to_string(counts.originals) + gbk(" 篇，原创比率 ") + format_decimal_2(ratio) +
         " %" + files_that("无法读取", counts.unreadable) + files_that("复制失败", counts.copy_failures) +
         files_that("删除失败", counts.delete_failures) + files_that("重名另存", counts.renamed_copies) +
         files_that("检测中被改动", counts.changed_during_check, "（未删除）") +
         files_that("无法判断", counts.undecided);
}
