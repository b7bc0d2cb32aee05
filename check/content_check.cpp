#include "check/content_check.h"

#include <vector>

#include "check/piece_order.h"
#include "check/sentence_asking.h"
#include "check/sentences.h"
#include "check/setting_values.h"
#include "check/text_expressions.h"
#include "support/gbk.h"
#include "support/text_helpers.h"
#include "support/window.h"

namespace {

// A threshold given outside 1..100 percent.
constexpr int kFallbackRatePercent = 10;
// How long the report of a reached rate stays readable before the run goes on.
constexpr int kReportPauseMs = 500;
// Rates within this of the threshold count as reaching it.
constexpr double kRateTolerance = 0.0000001;

enum class Decision { undecided, rate_reached, rate_out_of_reach };

bool reaches(double percent, int rate_percent) {
  return percent - rate_percent >= -kRateTolerance;
}

// Reached: the counted sentences alone make the rate. Out of reach: even if every
// sentence still to be searched counted, the rate could not be made.
Decision decide(const SentenceTally& tally, int rate_percent) {
  const int counted = tally.by_indexed_rate ? tally.indexed : tally.not_indexed;
  if (reaches(tally.percent_of(counted), rate_percent)) return Decision::rate_reached;
  const int still_to_search = tally.sentence_count - tally.searched;
  if (!reaches(tally.percent_of(still_to_search + counted), rate_percent)) return Decision::rate_out_of_reach;
  return Decision::undecided;
}

// Whether a decision of the counts makes the article original.
bool decides_original(Decision decision, bool by_indexed_rate) {
  return decision == (by_indexed_rate ? Decision::rate_out_of_reach : Decision::rate_reached);
}

// The counts with every page that could not be read taken as indexed, the answer
// that tells against an original verdict. The tally itself takes them as not indexed.
SentenceTally unread_pages_indexed(SentenceTally tally) {
  tally.indexed += tally.unrecognised;
  tally.not_indexed -= tally.unrecognised;
  return tally;
}

std::string sentence_status(std::string_view heading_utf8, const SentenceTally& tally,
                            std::string_view sentence) {
  std::string status = gbk(heading_utf8);
  status += std::to_string(tally.sentence_count);
  status += gbk(";正检测第 ");
  status += std::to_string(tally.searched);
  status += gbk(" 个句子;当前");
  status += tally.rate_text();
  status += gbk("%;正检测 >>> ");
  status += sentence;
  return status;
}

}  // namespace

ContentSettings read_content_settings(const Window& window) {
  return {
      .requested_sentences = to_whole_number(window.text(Control::编辑框句数)),
      .rate_percent = truncated_to_int(to_number(window.text(Control::编辑框判断比例))),
      .interval_seconds = to_number(window.text(Control::编辑框间隔秒)),
      .min_chars = to_whole_number(window.text(Control::编辑框最少字数)),
      .by_indexed_rate = window.checked(Control::单选框按收录率),
  };
}

double SentenceTally::percent_of(int sentences) const {
  if (sentence_count < 1) return 0;
  return static_cast<double>(sentences) / sentence_count * 100;
}

std::string SentenceTally::rate_text() const {
  if (by_indexed_rate) return gbk("收录率 ") + format_decimal_2(percent_of(indexed));
  return gbk("未收录率 ") + format_decimal_2(percent_of(not_indexed));
}

ContentVerdict check_content(CheckContext& context, std::string_view content,
                             const ContentSettings& settings) {
  Window& window = context.window;
  const bool& stop = context.stop_requested;
  const TextExpressions& expressions = context.expressions;
  std::string cleaned = clean_content(expressions.cleaning, content);
  const std::vector<std::string> pieces = split_sentences(expressions.delimiter, cleaned);
  const int piece_count = static_cast<int>(pieces.size());
  context.record.set_article(std::move(cleaned), pieces);

  ContentVerdict verdict;
  SentenceTally& tally = verdict.tally;
  tally.by_indexed_rate = settings.by_indexed_rate;
  tally.sentence_count = sentence_count_for_verdict(settings.requested_sentences, pieces.size());
  if (tally.sentence_count < 1) return verdict;
  const bool rate_in_range = settings.rate_percent >= 1 && settings.rate_percent <= 100;
  const int rate_percent = rate_in_range ? settings.rate_percent : kFallbackRatePercent;
  context.record.rate_percent = rate_percent;
  const int interval_ms = wait_milliseconds(settings.interval_seconds);

  PieceOrder order = order_of_pieces(context, pieces);
  for (int turn = 1; turn <= piece_count; ++turn) {
    if (stop) return verdict;
    window.process_pending_events();
    const int piece = order.next();
    const std::string sentence = trim_blanks(expressions.trim, pieces[piece]);
    // Too short to search: the turn is used up without counting or waiting.
    if (sentence.empty() || count_chars(sentence) < settings.min_chars) continue;

    ++tally.searched;
    window.set_progress_position(Control::进度条, tally.searched);
    window.set_text(Control::状态条, sentence_status("【检测内容】句子总数 ", tally, sentence));
    window.process_pending_events();
    if (stop) return verdict;
    std::optional<SentenceAnswer> answer = answer_sentence(context, sentence, turn != 1 ? interval_ms : 0);
    if (!answer) return verdict;
    ++(answer->indexed() ? tally.indexed : tally.not_indexed);
    if (answer->outcome == SentenceOutcome::unrecognised) ++tally.unrecognised;
    context.record.add_piece(piece, sentence, std::move(*answer));
    if (stop) return verdict;

    // An unread page may hide either answer, so each verdict must hold whichever it
    // hides: not original with them all not indexed, original with them all indexed.
    const Decision decision = decide(tally, rate_percent);
    const Decision with_unread_indexed = decide(unread_pages_indexed(tally), rate_percent);
    const bool original = decides_original(with_unread_indexed, tally.by_indexed_rate);
    if (!original && decides_original(decision, tally.by_indexed_rate)) {
      // Only the pages that could not be read would tell.
      if (with_unread_indexed == Decision::undecided) continue;
      verdict.unreadable = true;
      return verdict;
    }
    const Decision settled = original ? with_unread_indexed : decision;
    if (settled == Decision::undecided) continue;
    if (settled == Decision::rate_reached) {
      window.set_text(Control::状态条, sentence_status("【检测报告】句子总数 ", tally, sentence));
      // Not cut short by a stop: the verdict stands already.
      const bool never = false;
      wait_ms(window, kReportPauseMs, never);
    }
    verdict.original = original;
    return verdict;
  }
  // Out of sentences: too few qualified, which is not original, unless the counts
  // were original already but for the pages that could not be read.
  verdict.unreadable = decides_original(decide(tally, rate_percent), tally.by_indexed_rate);
  return verdict;
}
