#pragma once

#include <optional>
#include <string>
#include <string_view>

class RegexObject;
struct Engine;

// One result of an engine's list as the engine gave it.
struct ResultItem {
  std::string title;  // GBK, the text of the result's first link, markup removed
  std::string link;   // that link's address; an address on the engine's own host made whole
};

// The first result of `result_list` (the engine's list cut out of the page, markup
// still in it) whose text, with `tag_expression` removing the markup as the
// indexed test does, holds one of the "[fg]" `forms` of the sentence. Nothing when
// no result holds it whole, or it has no link.
std::optional<ResultItem> result_holding(const Engine& engine, std::string_view result_list,
                                         const RegexObject& tag_expression, std::string_view forms);
