#include "search/engine_query.h"

#include <algorithm>
#include <climits>

#include "search/baidu_block.h"
#include "search/engine_table.h"
#include "search/fetch_failure_warning.h"
#include "search/http_fetch_page.h"
#include "search/proxy_choice.h"
#include "search/result_item.h"
#include "search/result_list.h"
#include "search/result_page.h"
#include "search/simplified_chinese.h"
#include "support/gbk.h"
#include "support/regex_object.h"
#include "support/text_helpers.h"
#include "support/text_search.h"
#include "support/window.h"

namespace {

// The prompt names Baidu, the engine it was written for; another engine's caption
// takes Baidu's place.
constexpr std::string_view kCaptchaPrompt =
    "程序检测到百度似乎出现了验证码，请在浏览器的百度页面输入验证码或更换IP（ADSL换IP或设置代理IP），"
    "再点击确定继续，否则请点击取消，程序将停止运行！\r\n\r\n"
    "（如果输入验证码不管用，请先点取消停止并关掉程序，大约半小时后再启动检测！）";

// Milliseconds of a setting that holds a number of `unit_ms`, cut to a whole number
// and kept within what a wait can take.
int setting_ms(std::string_view text, double unit_ms) {
  const double milliseconds = static_cast<double>(to_number(text)) * unit_ms;
  if (!(milliseconds > 0)) return 0;
  return static_cast<int>(std::min(milliseconds, static_cast<double>(INT_MAX)));
}

}  // namespace

EngineQuery::EngineQuery(Window& window, bool& stop_requested, const RegexObject& tag_expression,
                         int browser_poll_ms)
    : window_(window),
      stop_requested_(stop_requested),
      tag_expression_(tag_expression),
      browser_fetch_(window, stop_requested, browser_poll_ms) {}

SentenceAnswer EngineQuery::is_sentence_indexed(std::string_view sentence, int engine_index) {
  const std::string simplified = to_simplified_chinese(sentence);
  window_.process_pending_events();
  const Engine* engine = engine_at(engine_index);
  if (engine == nullptr) {
    // No engine was asked: "not indexed" would pass the article for original.
    window_.show_message({.text = gbk("没有选定搜索引擎，请在“搜索引擎”里选一个。本次检测已停止。"),
                          .caption = gbk("信息："),
                          .icon = MessageIcon::warning});
    stop_requested_ = true;
    return {.outcome = SentenceOutcome::stopped};
  }

  SentenceAnswer answer;
  answer.engine = gbk(engine->caption);
  answer.searched = to_half_width(simplified);
  answer.query_url = query_url(*engine, simplified);
  const std::optional<FetchedPage> page = fetch_answer(*engine, answer.query_url, simplified, answer.outcome);
  if (!page) return answer;
  answer.outcome = judge_result_page(*engine, page->text, simplified, tag_expression_);
  if (!answer.indexed()) return answer;
  // Only an indexed sentence needs its result singled out, so the list is cut again here.
  const std::optional<std::string> list = cut_result_list(*engine, page->text);
  if (std::optional<ResultItem> item =
          result_holding(*engine, *list, tag_expression_, sentence_forms(simplified))) {
    answer.result_title = std::move(item->title);
    answer.result_link = std::move(item->link);
  }
  return answer;
}

std::optional<FetchedPage> EngineQuery::fetch_answer(const Engine& engine, const std::string& url,
                                                     std::string_view sentence, SentenceOutcome& no_page) {
  no_page = SentenceOutcome::stopped;
  for (int failures = 0;;) {
    FetchedPage page = fetch_result_page(engine, url, sentence, proxy_text_from_choice(window_));
    if (engine.may_block && is_baidu_block_page(page)) {
      if (!sit_out_baidu_block(engine)) return std::nullopt;
      if (stop_requested_) return std::nullopt;
      continue;
    }
    if (stop_requested_) return std::nullopt;
    page.asks_verification = asks_for_verification(engine, page);
    const bool in_browser = window_.checked(Control::选择框浏览器模式检测);
    // In the browser the user can answer the verification where it is shown.
    if (page.asks_verification && in_browser) {
      if (!ask_for_verification(engine)) return std::nullopt;
      continue;
    }
    // Asking again would bring the same page: the run ends at the first one.
    if (!in_browser && needs_script(engine, page)) return give_up(script_only_warning(engine.caption), no_page);
    if (page.asks_verification) return give_up(verification_warning(engine.caption), no_page);
    if (!page.failed()) return page;
    // An engine that cannot be asked must not make every article look original.
    if (failures++ == kFetchRetries) {
      return give_up(fetch_failure_warning(engine.caption, page, kFetchRetries), no_page);
    }
    wait_ms(window_, setting_ms(window_.text(Control::编辑框间隔秒), 1000.0), stop_requested_);
    if (stop_requested_) return std::nullopt;
  }
}

FetchedPage EngineQuery::fetch_result_page(const Engine& engine, const std::string& url,
                                           std::string_view sentence, const std::string& proxy_text) {
  if (window_.checked(Control::选择框浏览器模式检测))
    return browser_fetch_.fetch_page_browser(url, sentence, engine);
  return http_fetch_page(window_, stop_requested_,
                         {.url = url,
                          .proxy_text = proxy_text,
                          .redirect_stop = [&engine](std::string_view target) {
                            return is_robot_address(engine, target);
                          }});
}

std::nullopt_t EngineQuery::give_up(const Message& warning, SentenceOutcome& no_page) {
  window_.show_message(warning);
  stop_requested_ = true;
  no_page = SentenceOutcome::fetch_failed;
  return std::nullopt;
}

bool EngineQuery::sit_out_baidu_block(const Engine& engine) {
  if (window_.checked(Control::选择框屏蔽等待)) {
    window_.beep();
    const std::string minutes = window_.text(Control::编辑框等待分钟);
    window_.set_text(Control::状态条, gbk("被百度屏蔽了，自动等待 ") + minutes + gbk(" 分钟"));
    wait_ms(window_, setting_ms(minutes, 60000.0), stop_requested_);
    return true;
  }
  return ask_for_verification(engine);
}

bool EngineQuery::ask_for_verification(const Engine& engine) {
  window_.bring_to_front();
  const std::string text = replace_all_exact(gbk(kCaptchaPrompt), gbk("百度"), gbk(engine.caption));
  const MessageAnswer answer = window_.show_message(
      {.text = text, .caption = gbk("信息："), .buttons = MessageButtons::ok_cancel, .system_modal = true});
  if (answer != MessageAnswer::cancel && !stop_requested_) return true;
  stop_requested_ = true;
  return false;
}
