#include "search/browser_page_fetch.h"

#include <algorithm>

#include "check/sentences.h"
#include "search/baidu_block.h"
#include "search/engine_table.h"
#include "search/request_url.h"
#include "search/result_page.h"
#include "support/gbk.h"
#include "support/text_helpers.h"
#include "support/window.h"

namespace {

constexpr std::string_view kTimeOutPrompt =
    "浏览器模式下访问，已经超时100秒，请问如何操作？点【是】继续当前句子搜索，点【否】跳过当前句子搜索，"
    "点【取消】将停止本次运行。";

// The waits between polls always run to their end: a stop takes effect at the
// next test of the page, within one poll.
constexpr bool kNeverStopped = false;

}  // namespace

BrowserPageFetch::BrowserPageFetch(Window& window, bool& stop_requested, int poll_ms)
    : window_(window), stop_requested_(stop_requested), poll_ms_(poll_ms) {}

FetchedPage BrowserPageFetch::fetch_page_browser(const std::string& url, std::string_view sentence,
                                                 const Engine& engine) {
  // The address as the HTTP fetch sends it: a query appended unescaped (Google's)
  // reaches the engine with its bytes percent-escaped, not cut at a blank.
  const std::string address = escape_for_request(url);
  window_.navigate_browser(address);
  FetchedPage page;
  wait_ms(window_, poll_ms_, kNeverStopped);

  const std::string probe = first_chars(sentence, kProbeChars);
  const std::string probe_list = probe + std::string(kListSeparator) + to_half_width(probe);
  for (int polls = 0;;) {
    if (contains_any(page.text, probe_list, true) || stop_requested_) return page;
    web_document_.attach(window_);
    page.text = web_document_.document_text("outerHTML");
    // A page asking for a verification will never show the sentence. The browser
    // tells neither status nor address, so its text has to tell.
    if ((engine.may_block && is_baidu_block_page(page)) || asks_for_verification(engine, page)) return page;
    // Every tenth poll loads the page again, in case the first load stalled.
    if (++polls % 10 == 0) window_.navigate_browser(address);
    wait_ms(window_, poll_ms_, kNeverStopped);
    if (polls <= kPollsBeforePrompt) continue;
    switch (ask_after_time_out()) {
      case PromptChoice::keep_waiting:
        polls = 0;
        break;
      case PromptChoice::skip:
        return page;
      case PromptChoice::stop:
        stop_requested_ = true;
        return page;
    }
  }
}

BrowserPageFetch::PromptChoice BrowserPageFetch::ask_after_time_out() {
  const MessageAnswer answer = window_.show_message(
      {.text = gbk(kTimeOutPrompt), .caption = gbk("信息："), .buttons = MessageButtons::yes_no_cancel});
  if (answer == MessageAnswer::yes) return PromptChoice::keep_waiting;
  if (answer == MessageAnswer::no) return PromptChoice::skip;
  // Closing the box counts as Cancel, as the box has no other way out.
  return PromptChoice::stop;
}

std::string first_chars(std::string_view text, int n) {
  const int total = count_chars(text);
  if (n < 0) n = std::max(0, total + n);
  if (n >= total) return std::string(text);
  // A longer prefix never holds fewer characters, so the shortest one that holds n
  // is found by halving.
  // (Written out: clang cannot build libstdc++ 12's iota_view, and the fuzz build uses clang.)
  size_t low = 0;
  size_t high = text.size();
  while (low < high) {
    const size_t middle = low + (high - low) / 2;
    if (count_chars(text.substr(0, middle)) < n) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  return std::string(text.substr(0, low));
}
