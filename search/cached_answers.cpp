#include "search/cached_answers.h"

#include <ctime>
#include <utility>

#include "search/engine_table.h"
#include "search/simplified_chinese.h"
#include "support/gbk.h"
#include "support/keyed_hash.h"
#include "support/window.h"

namespace {

constexpr double kSecondsPerDay = 86400;

// The file keeps text as UTF-8: a sentence that would not come back byte for byte
// could meet another's answer there, so it is neither looked up nor kept.
bool keeps_exactly(std::string_view gbk_text) {
  return gbk_from_utf8(utf8_from_gbk(gbk_text)) == gbk_text;
}

}  // namespace

std::string keyed_draw_rank(std::string_view key, std::string_view sentence) {
  return hmac_sha256(key, searched_form(sentence));
}

CachedAnswers::CachedAnswers(Window& window, std::filesystem::path file, const CacheSettings& settings, Use use)
    : window_(window),
      file_(std::move(file)),
      lifetimes_{.indexed_seconds = settings.indexed_days * kSecondsPerDay,
                 .not_indexed_seconds = settings.not_indexed_days * kSecondsPerDay},
      use_(use) {}

bool CachedAnswers::available() {
  if (!opening_tried_) {
    opening_tried_ = true;
    std::variant<AnswerStore, std::string> opened = AnswerStore::open(file_, lifetimes_);
    if (AnswerStore* store = std::get_if<AnswerStore>(&opened)) {
      store_.emplace(std::move(*store));
    } else {
      give_up(std::get<std::string>(opened));
    }
  }
  return store_.has_value();
}

std::optional<SentenceAnswer> CachedAnswers::recall(std::string_view sentence, int engine_index) {
  const Engine* engine = engine_at(engine_index);
  if (use_ == Use::keep_only || engine == nullptr || !available()) return std::nullopt;
  std::string searched = searched_form(sentence);
  const std::string caption = gbk(engine->caption);
  if (!keeps_exactly(searched)) return std::nullopt;
  std::optional<StoredAnswer> stored;
  if (!store_->find(caption, searched, stored)) {
    give_up(store_->last_error());
    return std::nullopt;
  }
  if (!stored) return std::nullopt;
  return SentenceAnswer{.outcome = stored->indexed ? SentenceOutcome::indexed : SentenceOutcome::not_indexed,
                        .engine = caption,
                        .searched = std::move(searched),
                        .query_url = std::move(stored->query_url),
                        .result_title = std::move(stored->result_title),
                        .result_link = std::move(stored->result_link),
                        .cached_at = stored->asked_at};
}

void CachedAnswers::remember(const SentenceAnswer& answer) {
  const bool real = answer.outcome == SentenceOutcome::indexed || answer.outcome == SentenceOutcome::not_indexed;
  if (!real || answer.engine.empty() || answer.searched.empty() || !keeps_exactly(answer.searched) ||
      !available())
    return;
  const StoredAnswer stored{.indexed = answer.indexed(),
                            .result_title = answer.result_title,
                            .result_link = answer.result_link,
                            .query_url = answer.query_url,
                            .asked_at = std::time(nullptr)};
  if (!store_->keep(answer.engine, answer.searched, stored)) give_up(store_->last_error());
}

std::string CachedAnswers::draw_rank(std::string_view sentence) {
  if (!available()) return {};
  return keyed_draw_rank(store_->draw_key(), sentence);
}

void CachedAnswers::give_up(const std::string& why_utf8) {
  store_.reset();
  window_.show_message({.text = gbk("结果缓存无法使用，本次照常向搜索引擎查询：") +
                                gbk_from_utf8(file_.native()) + gbk("（") + gbk_from_utf8(why_utf8) + gbk("）"),
                        .caption = gbk("信息："),
                        .buttons = MessageButtons::ok,
                        .icon = MessageIcon::warning});
}
