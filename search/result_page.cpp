#include "search/result_page.h"

#include <algorithm>
#include <optional>
#include <string>

#include "search/baidu_block.h"
#include "search/engine_table.h"
#include "search/fetched_page.h"
#include "search/html_entities.h"
#include "search/result_list.h"
#include "support/gbk.h"
#include "support/regex_object.h"
#include "support/text_helpers.h"
#include "support/text_markers.h"
#include "support/text_search.h"

namespace {

// A page whose charset went unrecognised keeps its UTF-8 bytes, so the wording is
// looked for in both encodings.
bool holds_any(std::string_view page, std::span<const std::string_view> words_utf8) {
  return std::ranges::any_of(words_utf8, [page](std::string_view word) {
    return page.find(word) != std::string_view::npos || find_exact(page, gbk(word)) != std::string_view::npos;
  });
}

// The page without the searched sentence where it echoes it (title, search box): a
// sentence may itself hold an engine's wording.
std::string without_sentence(std::string_view page, std::string_view sentence) {
  if (sentence.empty()) return std::string(page);
  return replace_all_exact(replace_all_exact(page, sentence, ""), to_half_width(sentence), "");
}

bool holds_any_part(std::string_view url, std::span<const std::string_view> parts) {
  return std::ranges::any_of(parts, [url](std::string_view part) { return url.find(part) != std::string_view::npos; });
}

}  // namespace

std::string sentence_forms(std::string_view sentence) {
  const std::string half_width = to_half_width(sentence);
  // A sentence without full-width forms need not be looked for twice.
  if (half_width == sentence && !sentence.empty()) return std::string(sentence);
  return std::string(sentence).append(kListSeparator) + half_width;
}

bool asks_for_verification(const Engine& engine, const FetchedPage& page) {
  if (page.status == 403 || page.status == 429) return true;
  if (holds_any_part(page.final_url, engine.verification_paths)) return true;
  // A page that has a list or says it found nothing may well quote the wording: the
  // searched sentence stands on it.
  return !cut_result_list(engine, page.text) && !holds_any(page.text, engine.no_results) &&
         holds_any(page.text, engine.verification_words);
}

bool needs_script(const Engine& engine, const FetchedPage& page) {
  if (holds_any_part(page.final_url, engine.script_only_paths)) return true;
  // The page sends its reader on by a refresh or a link; a result list that merely
  // links there is read as usual.
  return holds_any_part(page.text, engine.script_only_paths) && !cut_result_list(engine, page.text);
}

bool is_robot_address(const Engine& engine, std::string_view url) {
  return holds_any_part(url, engine.verification_paths) || holds_any_part(url, engine.script_only_paths) ||
         (engine.may_block && is_baidu_block_address(url));
}

SentenceOutcome judge_result_page(const Engine& engine, std::string_view page, std::string_view sentence,
                                  const RegexObject& tag_expression) {
  const std::optional<std::string> list = cut_result_list(engine, page);
  if (!list) {
    return holds_any(without_sentence(page, sentence), engine.no_results) ? SentenceOutcome::not_indexed
                                                                          : SentenceOutcome::unrecognised;
  }
  const std::string text = decode_html_entities(tag_expression.regex_replace(*list, ""));
  return contains_any(text, sentence_forms(sentence), true) ? SentenceOutcome::indexed
                                                            : SentenceOutcome::not_indexed;
}
