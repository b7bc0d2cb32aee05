#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "check/remembered_answers.h"
#include "search/answer_store.h"
#include "support/cache_settings.h"

class Window;

// A sentence's (GBK) place in the consistent draw under `key`: HMAC-SHA-256 of its
// searched form.
std::string keyed_draw_rank(std::string_view key, std::string_view sentence);

// The answer cache as checks use it: the store is opened at the first need; when it
// cannot be, or fails later, one warning says so and the program goes on without
// it. Answers are kept by engine caption and searched form.
class CachedAnswers : public RememberedAnswers {
 public:
  enum class Use {
    recall_and_keep,
    keep_only,  // every sentence asked anew, and its answer kept
  };

  CachedAnswers(Window& window, std::filesystem::path file, const CacheSettings& settings,
                Use use = Use::recall_and_keep);

  bool available() override;
  std::optional<SentenceAnswer> recall(std::string_view sentence, int engine_index) override;
  void remember(const SentenceAnswer& answer) override;
  std::string draw_rank(std::string_view sentence) override;

 private:
  void give_up(const std::string& why_utf8);

  Window& window_;
  std::filesystem::path file_;
  AnswerLifetimes lifetimes_;
  Use use_;
  std::optional<AnswerStore> store_{};
  bool opening_tried_ = false;
};
