#pragma once

#include <string>
#include <string_view>

#include "search/fetched_page.h"
#include "support/web_document.h"

class Window;
struct Engine;

// Result pages loaded in the window's embedded browser: the page is visible while
// it loads, and a captcha can be typed into it.
class BrowserPageFetch {
 public:
  static constexpr int kPollMs = 500;
  // The user is asked whether to go on once this many polls have not shown the sentence.
  static constexpr int kPollsBeforePrompt = 100;
  // How many characters of the sentence must show up on the page.
  static constexpr int kProbeChars = 30;

  // `stop_requested` is the run's stop flag: it ends the polling, and Cancel at the
  // time-out prompt raises it. Only tests shorten `poll_ms`.
  BrowserPageFetch(Window& window, bool& stop_requested, int poll_ms = kPollMs);

  // Sends the browser to `url` and polls the page until its markup holds the first
  // characters of `sentence` (GBK, as searched), or their half-width form, or the
  // engine's block or verification page is shown. Returns the markup read last,
  // without status or address, which may be empty
  // or another page when the user skips the sentence at the time-out prompt or the
  // run stops.
  FetchedPage fetch_page_browser(const std::string& url, std::string_view sentence, const Engine& engine);

 private:
  enum class PromptChoice { keep_waiting, skip, stop };
  PromptChoice ask_after_time_out();

  Window& window_;
  bool& stop_requested_;
  int poll_ms_;
  WebDocument web_document_;
};

// The shortest prefix of `text` that holds `n` characters as count_chars counts
// them (a GBK character, like a CR LF pair, is one). The whole text when it holds
// fewer; all but the last -n characters when `n` is negative.
std::string first_chars(std::string_view text, int n);
