#include "check/article_check.h"

#include <ctime>
#include <optional>

#include "check/content_check.h"
#include "check/report_folder.h"
#include "check/sentence_asking.h"
#include "check/sentences.h"
#include "check/setting_values.h"
#include "check/text_expressions.h"
#include "support/gbk.h"
#include "support/text_helpers.h"
#include "support/window.h"

namespace {

void show_message(Window& window, std::string_view text_utf8, MessageIcon icon) {
  window.show_message(
      {.text = gbk(text_utf8), .caption = gbk("信息："), .buttons = MessageButtons::ok, .icon = icon});
}

// The record of a check about to start, with what shapes its verdict.
CheckRecord begin_record(const Window& window, const ContentSettings& settings) {
  return {.started = std::time(nullptr),
          .title_checked = window.checked(Control::选择框判断标题),
          .content_checked = window.checked(Control::选择框判断内容),
          .requested_sentences = settings.requested_sentences,
          .min_chars = settings.min_chars,
          .rate_percent = settings.rate_percent,
          .by_indexed_rate = settings.by_indexed_rate};
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

void record_tally(CheckRecord& record, const SentenceTally& tally) {
  record.indexed = tally.indexed;
  record.rate = tally.rate_text();
  record.count_line = tally_line(tally);
  if (const int cached = record.cached_answers(); cached > 0)
    record.count_line += gbk("，") + std::to_string(cached) + gbk(" 句用了缓存的结果");
}

// The verdict goes into the record and its report is written; then, with
// `show_messages`, the box shows it with the counts and the report's name.
void conclude(CheckContext& context, bool show_messages, CheckVerdict verdict, std::string_view line_utf8,
              MessageIcon icon) {
  CheckRecord& record = context.record;
  record.verdict = verdict;
  record.verdict_line = gbk(line_utf8);
  std::string report_line;
  if (context.reports != nullptr) {
    if (std::optional<std::filesystem::path> file = context.reports->write_report(record)) {
      record.report_file = std::move(*file);
      report_line = gbk("检测报告：") + gbk_from_utf8(record.report_file.filename().native());
    } else if (show_messages) {
      show_message(context.window, "检测报告无法写入，检测结果不受影响。", MessageIcon::warning);
    }
  }
  if (!show_messages) return;
  std::string text = record.verdict_line;
  for (const std::string* line : {&record.count_line, &report_line}) {
    if (!line->empty()) text += "\r\n" + *line;
  }
  context.window.show_message(
      {.text = std::move(text), .caption = gbk("信息："), .buttons = MessageButtons::ok, .icon = icon});
}

// No verdict rests on pages that could not be read: they count as not indexed, which
// would make an article look original.
ArticleVerdict unreadable_pages(CheckContext& context, bool show_messages, std::string_view why_utf8) {
  conclude(context, show_messages, CheckVerdict::undecided,
           "无法识别搜索引擎的结果页：" + std::string(why_utf8) +
               "可能是搜索引擎改了页面格式，或者它在屏蔽本程序。请稍后再试，或改用浏览器模式检测。"
               "本次检测没有结论。",
           MessageIcon::warning);
  return ArticleVerdict::undecided;
}

// An article with nothing searched (content with no sentence long enough: empty,
// only short lines, or a file read in the wrong encoding; no sentence asked for;
// or an empty title checked alone) has told nothing: "indexed" would be a guess,
// and in a batch with deletion ticked it would cost the file.
ArticleVerdict nothing_searched(CheckContext& context, bool show_messages, std::string_view why_utf8) {
  conclude(context, show_messages, CheckVerdict::undecided, std::string(why_utf8) + "本次检测没有结论。",
           MessageIcon::warning);
  return ArticleVerdict::undecided;
}

constexpr std::string_view kNoContentSentence =
    "文章内容中没有可以检测的句子：内容为空、句子都短于最少字数，或者文件编码不对。";
constexpr std::string_view kNoSentenceRequested = "“检测多少句”不是正数，没有句子可以检测。";
constexpr std::string_view kEmptyTitle = "文章标题为空，而只打勾了判断标题：没有可以检测的内容。";

constexpr std::string_view kNoPageRead = "检测的句子没有一句的结果页能读出结果列表或“没有找到”的提示，";
constexpr std::string_view kVerdictOnUnreadPages = "结论取决于结果页无法识别的句子，";
constexpr std::string_view kTitleUnread =
    "标题的结果页读不出结果列表或“没有找到”的提示，而原创的结论取决于它，";

}  // namespace

ArticleVerdict check_article(CheckContext& context, bool show_messages, std::string& title, bool title_given,
                             std::string_view content, bool content_given) {
  Window& window = context.window;
  bool& stop = context.stop_requested;
  const ContentSettings settings = read_content_settings(window);
  CheckRecord& record = context.record;
  record = begin_record(window, settings);
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
  record.title = title;
  bool title_unrecognised = false;

  if (window.checked(Control::选择框判断标题) && !title.empty()) {
    window.set_text(Control::状态条, gbk("【检测标题】") + title);
    std::optional<SentenceAnswer> answer = answer_sentence(context, title, 0);
    if (!answer) return ArticleVerdict::not_original;
    const bool indexed = answer->indexed();
    // An answer from the cache asked nothing, so nothing needs pacing after it.
    const bool queried = !answer->cached_at;
    title_unrecognised = answer->outcome == SentenceOutcome::unrecognised;
    record.searched.push_back({.is_title = true, .sentence = title, .answer = std::move(*answer)});
    // Stopped during the search (the user, or an engine that cannot be reached): no verdict.
    if (stop) return ArticleVerdict::not_original;
    if (indexed) {
      conclude(context, show_messages, CheckVerdict::title_indexed, "根据当前设置检测，该文章标题已收录",
               MessageIcon::none);
      if (!show_messages && queried) {
        // A batch waits whole seconds here: "1.5" waits one second.
        wait_ms(window, wait_milliseconds(to_whole_number(window.text(Control::编辑框间隔秒))), stop);
      }
      return ArticleVerdict::not_original;
    }
    if (queried) wait_ms(window, wait_milliseconds(settings.interval_seconds), stop);
  }
  if (stop) return ArticleVerdict::not_original;

  if (window.checked(Control::选择框判断内容)) {
    const ContentVerdict verdict = check_content(context, content, settings);
    record_tally(record, verdict.tally);
    if (!stop && verdict.tally.searched == 0)
      return nothing_searched(context, show_messages,
                              settings.requested_sentences < 1 ? kNoSentenceRequested : kNoContentSentence);
    if (!stop && verdict.tally.all_unrecognised())
      return unreadable_pages(context, show_messages, kNoPageRead);
    if (!stop && verdict.unreadable) return unreadable_pages(context, show_messages, kVerdictOnUnreadPages);
    if (!verdict.original) {
      if (!stop)
        conclude(context, show_messages, CheckVerdict::content_indexed, "根据当前设置检测，该文章内容已收录",
                 MessageIcon::none);
      return ArticleVerdict::not_original;
    }
  }
  if (title_unrecognised && !stop) {
    return unreadable_pages(context, show_messages,
                            window.checked(Control::选择框判断内容) ? kTitleUnread : kNoPageRead);
  }

  if (!window.checked(Control::选择框判断标题) && !window.checked(Control::选择框判断内容)) {
    // Shown in a batch too: the batch cannot do anything useful without a check.
    show_message(window, "请至少打勾一个判断功能：判断标题或判断内容", MessageIcon::warning);
    stop = true;
    return ArticleVerdict::not_original;
  }
  if (stop) return ArticleVerdict::not_original;
  // Only the title was to be checked, and it was empty.
  if (record.searched.empty()) return nothing_searched(context, show_messages, kEmptyTitle);
  conclude(context, show_messages, CheckVerdict::original, "根据当前设置检测，该文章属于原创文章！",
           MessageIcon::information);
  return ArticleVerdict::original;
}
