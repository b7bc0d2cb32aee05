#include "check/article_check.h"

#include <optional>

#include "check/content_check.h"
#include "check/sentences.h"
#include "check/setting_values.h"
#include "check/text_expressions.h"
#include "support/gbk.h"
#include "support/text_helpers.h"
#include "support/window.h"

namespace {

void show_message(Window& window, std::string_view text_utf8, MessageIcon icon,
                  const std::string& details = {}) {
  std::string text = gbk(text_utf8);
  if (!details.empty()) text += "\r\n" + details;
  window.show_message(
      {.text = std::move(text), .caption = gbk("信息："), .buttons = MessageButtons::ok, .icon = icon});
}

// The line under a verdict that shows why it fell: "已检测 6 句，收录 1 句，未收录率 83.33%",
// and "，2 句的结果页无法识别" when pages could not be read.
std::string tally_line(const SentenceTally& tally) {
  std::string line = gbk("已检测 ") + std::to_string(tally.searched) + gbk(" 句，收录 ") +
                     std::to_string(tally.indexed) + gbk(" 句，") + tally.rate_text() + "%";
  if (tally.unrecognised > 0)
    line += gbk("，") + std::to_string(tally.unrecognised) + gbk(" 句的结果页无法识别");
  return line;
}

// No verdict rests on pages that could not be read: they would all count as not indexed.
ArticleVerdict unreadable_pages(Window& window, bool show_messages) {
  if (show_messages) {
    show_message(window,
                 "无法识别搜索引擎的结果页：检测的句子没有一句的结果页能读出结果列表或“没有找到”的提示，"
                 "可能是搜索引擎改了页面格式，或者它在屏蔽本程序。请稍后再试，或改用浏览器模式检测。"
                 "本次检测没有结论。",
                 MessageIcon::warning);
  }
  return ArticleVerdict::undecided;
}

}  // namespace

ArticleVerdict check_article(CheckContext& context, bool show_messages, std::string& title, bool title_given,
                             std::string_view content, bool content_given) {
  Window& window = context.window;
  bool& stop = context.stop_requested;
  const ContentSettings settings = read_content_settings(window);
  window.set_progress_maximum(Control::进度条, settings.requested_sentences);
  window.set_progress_position(Control::进度条, 0);

  if (title_given) {
    window.set_text(Control::编辑框标题, title);
  } else {
    title = window.text(Control::编辑框标题);
  }
  std::string content_from_window;
  if (content_given) {
    window.set_text(Control::编辑框内容, std::string(content));
  } else {
    content_from_window = window.text(Control::编辑框内容);
    content = content_from_window;
  }
  title = trim_blanks(context.expressions.trim, title);
  bool title_unrecognised = false;

  if (window.checked(Control::选择框判断标题) && !title.empty()) {
    window.set_text(Control::状态条, gbk("【检测标题】") + title);
    const SentenceAnswer answer =
        context.is_sentence_indexed(title, window.selected_index(Control::组合框引擎));
    // Stopped during the search (the user, or an engine that cannot be reached): no verdict.
    if (stop) return ArticleVerdict::not_original;
    title_unrecognised = answer.outcome == SentenceOutcome::unrecognised;
    if (answer.indexed()) {
      if (show_messages) {
        show_message(window, "根据当前设置检测，该文章标题已收录", MessageIcon::none);
      } else {
        // A batch waits whole seconds here: "1.5" waits one second.
        wait_ms(window, wait_milliseconds(to_whole_number(window.text(Control::编辑框间隔秒))), stop);
      }
      return ArticleVerdict::not_original;
    }
    wait_ms(window, wait_milliseconds(settings.interval_seconds), stop);
  }
  if (stop) return ArticleVerdict::not_original;

  std::optional<SentenceTally> tally;
  if (window.checked(Control::选择框判断内容)) {
    const ContentVerdict verdict = check_content(context, content, settings);
    if (!stop && verdict.tally.all_unrecognised()) return unreadable_pages(window, show_messages);
    if (!verdict.original) {
      if (show_messages && !stop) {
        show_message(window, "根据当前设置检测，该文章内容已收录", MessageIcon::none,
                     tally_line(verdict.tally));
      }
      return ArticleVerdict::not_original;
    }
    tally = verdict.tally;
  } else if (title_unrecognised && !stop) {
    return unreadable_pages(window, show_messages);
  }

  if (!window.checked(Control::选择框判断标题) && !window.checked(Control::选择框判断内容)) {
    // Shown in a batch too: the batch cannot do anything useful without a check.
    show_message(window, "请至少打勾一个判断功能：判断标题或判断内容", MessageIcon::warning);
    stop = true;
    return ArticleVerdict::not_original;
  }
  if (show_messages && !stop) {
    show_message(window, "根据当前设置检测，该文章属于原创文章！", MessageIcon::information,
                 tally ? tally_line(*tally) : std::string());
  }
  return ArticleVerdict::original;
}
