#include "check/search_estimate.h"

#include <optional>
#include <vector>

#include "check/content_check.h"
#include "check/remembered_answers.h"
#include "check/sentence_asking.h"
#include "check/sentences.h"
#include "check/text_expressions.h"
#include "support/gbk.h"
#include "support/text_helpers.h"
#include "support/window.h"

namespace {

// What the cache holds for the sentence; none when it holds nothing or there is no cache.
std::optional<SentenceAnswer> cached_answer(CheckContext& context, std::string_view sentence) {
  RememberedAnswers* remembered = usable_answers(context);
  if (remembered == nullptr) return std::nullopt;
  return remembered->recall(sentence, context.window.selected_index(Control::组合框引擎));
}

}  // namespace

SearchEstimate estimate_searches(CheckContext& context, std::string_view title, std::string_view content) {
  const Window& window = context.window;
  const TextExpressions& expressions = context.expressions;
  const ContentSettings settings = read_content_settings(window);
  SearchEstimate estimate;
  const std::string trimmed_title = trim_blanks(expressions.trim, title);
  if (window.checked(Control::选择框判断标题) && !trimmed_title.empty()) {
    ++estimate.most;
    if (const std::optional<SentenceAnswer> answer = cached_answer(context, trimmed_title)) {
      ++estimate.cached;
      if (answer->indexed()) return estimate;
    }
  }
  if (!window.checked(Control::选择框判断内容)) return estimate;

  const std::vector<std::string> pieces =
      split_sentences(expressions.delimiter, clean_content(expressions.cleaning, content));
  const int most_sentences = sentence_count_for_verdict(settings.requested_sentences, pieces.size());
  PieceOrder order = order_of_pieces(context, pieces);
  int sentences = 0;
  for (size_t turn = 0; turn < pieces.size() && sentences < most_sentences; ++turn) {
    const std::string sentence = trim_blanks(expressions.trim, pieces[order.next()]);
    if (sentence.empty() || count_chars(sentence) < settings.min_chars) continue;
    ++sentences;
    if (cached_answer(context, sentence)) ++estimate.cached;
  }
  estimate.most += sentences;
  return estimate;
}

std::string estimate_text(const Window& window, const SearchEstimate& estimate) {
  const double seconds = static_cast<double>(to_number(window.text(Control::编辑框间隔秒)));
  const double minutes = (estimate.most - estimate.cached) * (seconds > 0 ? seconds : 0) / 60;
  return gbk("预计最多 ") + std::to_string(estimate.most) + gbk(" 次搜索，其中 ") +
         std::to_string(estimate.cached) + gbk(" 次可用缓存，约 ") + format_decimal_2(minutes) + gbk(" 分钟");
}
