#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "check/sentence_answer.h"
#include "search/browser_page_fetch.h"
#include "search/fetched_page.h"

class RegexObject;
class Window;
struct Engine;
struct Message;

// Asks the engine chosen in the window whether it has a sentence indexed. Settings
// are read from the window at the moment of use, so a change made while a run
// waits counts at the next attempt.
class EngineQuery {
 public:
  // How often a failed fetch is tried again before the run is stopped with a warning.
  static constexpr int kFetchRetries = 2;

  // `stop_requested` is the run's stop flag: it ends waits and fetches, and is raised
  // here when the user cancels at the captcha prompt or an engine cannot be reached.
  // `tag_expression` matches one tag ("<.*?>", case-insensitive, multi-line, global).
  // Only tests shorten `browser_poll_ms`, the period at which browser mode looks
  // at the page.
  EngineQuery(Window& window, bool& stop_requested, const RegexObject& tag_expression,
              int browser_poll_ms = BrowserPageFetch::kPollMs);

  // Indexed when the sentence (GBK) stands in the result list of the engine at
  // `engine_index` (the engine combo's selection), in its Simplified Chinese form or
  // with its full-width letters and digits made half-width. Not indexed when it does
  // not and when the index names no engine; unrecognised when the page was neither a
  // result list nor the engine's "no results" notice; stopped or failed when no page
  // was read (in HTTP mode an engine asking for a verification, or answering only a
  // browser that runs scripts, stops the run with a warning at once).
  SentenceAnswer is_sentence_indexed(std::string_view sentence, int engine_index);

 private:
  // The page to read, after block and verification pages and failed fetches were
  // dealt with; else why there is none.
  std::optional<FetchedPage> fetch_answer(const Engine& engine, const std::string& url,
                                          std::string_view sentence, SentenceOutcome& no_page);
  FetchedPage fetch_result_page(const Engine& engine, const std::string& url, std::string_view sentence,
                                const std::string& proxy_text);
  // Shows the warning and stops the run: the engine gave no page to read.
  std::nullopt_t give_up(const Message& warning, SentenceOutcome& no_page);
  // The automatic wait or the captcha prompt; false when the user cancelled.
  bool sit_out_baidu_block(const Engine& engine);
  // The captcha prompt naming the engine; false when the user cancelled.
  bool ask_for_verification(const Engine& engine);

  Window& window_;
  bool& stop_requested_;
  const RegexObject& tag_expression_;
  BrowserPageFetch browser_fetch_;
};
