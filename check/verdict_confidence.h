#pragma once

#include <optional>
#include <string>
#include <string_view>

struct CheckRecord;

// How far the sample's verdict can be trusted: the 95 % interval of the deciding
// share (not indexed by the not-indexed rate, indexed by the indexed rate) over the
// content sentences the engine answered; unread pages are left out.
struct VerdictConfidence {
  bool by_indexed_rate = false;
  int low_percent = 0;  // the interval's bounds, rounded to whole percent
  int high_percent = 0;
  // False when the threshold lies inside the interval: another draw of sentences
  // may well give the opposite verdict.
  bool stable = true;

  // "31%–83%" (UTF-8).
  std::string range_text() const;
  // "按抽检结果估计，全文未收录句子占 31%–83%（95% 置信区间）" (UTF-8).
  std::string line() const;
};

// None when no content sentence was answered.
std::optional<VerdictConfidence> verdict_confidence(const CheckRecord& record);

// The warning a report adds under an unstable verdict (UTF-8).
constexpr std::string_view kUnstableVerdictLine = "结论不稳：再检测一次可能得出相反的结论，可增加检测句数。";
