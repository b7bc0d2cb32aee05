#pragma once

#include <ctime>
#include <optional>
#include <string>

// How the engine answered the question about one sentence.
enum class SentenceOutcome {
  indexed,       // the sentence stands in the engine's result list
  not_indexed,   // the result list was read and does not hold it
  unrecognised,  // the page held neither a result list nor the engine's "no results" notice
  fetch_failed,  // no page could be had (after the retries)
  stopped,       // the run was stopped before the answer was read
};

// The engine's answer for one sentence, with what the evidence report shows.
struct SentenceAnswer {
  SentenceOutcome outcome = SentenceOutcome::not_indexed;
  std::string engine{};  // the caption of the engine asked (GBK); empty when none was
  // The sentence as it was looked for (GBK): in Simplified Chinese, its full-width
  // letters, digits and signs made half-width. Empty when no engine was asked.
  std::string searched{};
  std::string query_url{};  // the address asked, as sent
  // For an indexed sentence, the result that holds it as the engine gave it: its
  // title (GBK) and its link; empty when the result could not be singled out.
  std::string result_title{};
  std::string result_link{};
  // When the engine gave this answer, if it was taken from the answer cache rather
  // than asked in this check.
  std::optional<std::time_t> cached_at{};

  bool indexed() const { return outcome == SentenceOutcome::indexed; }
};
