#include "check/verdict_confidence.h"

#include <cmath>

#include "check/check_record.h"
#include "support/wilson_interval.h"

std::string VerdictConfidence::range_text() const {
  return std::to_string(low_percent) + "%–" + std::to_string(high_percent) + "%";
}

std::string VerdictConfidence::line() const {
  return std::string("按抽检结果估计，全文") + (by_indexed_rate ? "收录" : "未收录") + "句子占 " +
         range_text() + "（95% 置信区间）";
}

std::optional<VerdictConfidence> verdict_confidence(const CheckRecord& record) {
  int answered = 0;
  int deciding = 0;
  for (const SearchedPiece& piece : record.searched) {
    if (piece.is_title) continue;
    const SentenceOutcome outcome = piece.answer.outcome;
    if (outcome != SentenceOutcome::indexed && outcome != SentenceOutcome::not_indexed) continue;
    ++answered;
    if ((outcome == SentenceOutcome::indexed) == record.by_indexed_rate) ++deciding;
  }
  const std::optional<ShareInterval> interval = wilson_interval_95(deciding, answered);
  if (!interval) return std::nullopt;
  const double low = interval->low * 100;
  const double high = interval->high * 100;
  return VerdictConfidence{
      .by_indexed_rate = record.by_indexed_rate,
      .low_percent = static_cast<int>(std::lround(low)),
      .high_percent = static_cast<int>(std::lround(high)),
      .stable = record.rate_percent < low || record.rate_percent > high,
  };
}
