#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "check/sentence_answer.h"

// The engines' earlier answers, kept so that a sentence asked again costs no query.
// A check asks here first and tells here every answer the engine gave it.
class RememberedAnswers {
 public:
  virtual ~RememberedAnswers() = default;

  // False when the answers cannot be had (their file could not be opened): the
  // check then goes as if there were none.
  virtual bool available() = 0;
  // A fresh enough answer of the engine at `engine_index` for the sentence (GBK),
  // marked with when it was given; none when the engine is to be asked.
  virtual std::optional<SentenceAnswer> recall(std::string_view sentence, int engine_index) = 0;
  // An answer the engine just gave. Only real answers are kept.
  virtual void remember(const SentenceAnswer& answer) = 0;
  // The sentence's place in the draw: a keyed hash of its searched form, so that
  // an article's pieces come in the same order at every check and in an order
  // nobody without the key can foresee.
  virtual std::string draw_rank(std::string_view sentence) = 0;
};
