#include "check/sentence_asking.h"

#include "check/remembered_answers.h"
#include "check/sentences.h"
#include "check/text_expressions.h"
#include "support/text_helpers.h"
#include "support/window.h"

RememberedAnswers* usable_answers(CheckContext& context) {
  RememberedAnswers* remembered = context.remembered;
  return remembered != nullptr && remembered->available() ? remembered : nullptr;
}

std::optional<SentenceAnswer> answer_sentence(CheckContext& context, std::string_view sentence,
                                              int wait_before_query_ms) {
  Window& window = context.window;
  RememberedAnswers* remembered = usable_answers(context);
  if (remembered != nullptr) {
    if (std::optional<SentenceAnswer> answer =
            remembered->recall(sentence, window.selected_index(Control::组合框引擎)))
      return answer;
  }
  if (wait_before_query_ms > 0) {
    wait_ms(window, wait_before_query_ms, context.stop_requested);
    // A stop during the wait sends no further query to the engine.
    if (context.stop_requested) return std::nullopt;
  }
  // The engine is read after the wait: a change made meanwhile counts.
  SentenceAnswer answer = context.is_sentence_indexed(sentence, window.selected_index(Control::组合框引擎));
  if (remembered != nullptr) remembered->remember(answer);
  return answer;
}

PieceOrder order_of_pieces(CheckContext& context, const std::vector<std::string>& pieces) {
  RememberedAnswers* remembered = usable_answers(context);
  if (remembered == nullptr) return PieceOrder(context.seeder, static_cast<int>(pieces.size()));
  std::vector<std::string> ranks;
  ranks.reserve(pieces.size());
  for (const std::string& piece : pieces)
    ranks.push_back(remembered->draw_rank(trim_blanks(context.expressions.trim, piece)));
  return PieceOrder(ranks);
}
