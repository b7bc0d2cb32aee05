#pragma once

#include <string>
#include <string_view>

#include "check/check_context.h"

// The values a content check is run with, read from the window when the article
// check starts.
struct ContentSettings {
  int requested_sentences = 0;   // 编辑框句数
  int rate_percent = 0;          // 编辑框判断比例, truncated toward zero
  float interval_seconds = 0;    // 编辑框间隔秒
  int min_chars = 0;             // 编辑框最少字数
  bool by_indexed_rate = false;  // 单选框按收录率; else by the not-indexed rate
};

ContentSettings read_content_settings(const Window& window);

// The counts of one content check.
struct SentenceTally {
  int sentence_count = 0;  // the N the rates are taken of
  int searched = 0;
  int indexed = 0;
  int not_indexed = 0;
  // Of the not indexed, those whose result page held neither a result list nor the
  // engine's "no results" notice.
  int unrecognised = 0;
  bool by_indexed_rate = false;

  // Nothing can be judged: every searched sentence got a page that could not be read.
  bool all_unrecognised() const { return searched > 0 && unrecognised == searched; }

  // `sentences` out of N, in percent; 0 when N is below 1.
  double percent_of(int sentences) const;
  // The rate the verdict goes by, named and written to two decimals: "收录率 50",
  // "未收录率 33.33" (GBK, without the percent sign).
  std::string rate_text() const;
};

struct ContentVerdict {
  bool original = false;
  // The pages that could be read settle nothing: the verdict would rest on those
  // that could not. `original` is then false.
  bool unreadable = false;
  SentenceTally tally;
};

// Judges the content by a random sample of its sentences, searching one at a time
// and stopping as soon as the verdict cannot change. Not original also when too
// few sentences qualify, and when the run is stopped.
ContentVerdict check_content(CheckContext& context, std::string_view content,
                             const ContentSettings& settings);
