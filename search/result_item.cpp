#include "search/result_item.h"

#include <algorithm>
#include <vector>

#include "search/engine_table.h"
#include "search/html_entities.h"
#include "support/gbk.h"
#include "support/regex_object.h"
#include "support/text_helpers.h"
#include "support/text_markers.h"
#include "support/text_search.h"

namespace {

constexpr std::string_view kBlanks = " \t\r\n";

bool is_blank(char c) {
  return kBlanks.find(c) != std::string_view::npos;
}

// Where every result begins. Pages also write the attribute values bare, so each
// marker is looked for with and without its quotes.
std::vector<size_t> item_starts(const Engine& engine, std::string_view list) {
  std::vector<size_t> starts;
  for (const std::string_view marker_utf8 : engine.result_items) {
    const std::string quoted = fix_quotes(gbk(marker_utf8));
    for (const std::string& marker : {quoted, replace_all_exact(quoted, "\"", "")}) {
      for (size_t at = find_ignoring_ascii_case(list, marker); at != std::string_view::npos;
           at = find_ignoring_ascii_case(list, marker, at + marker.size())) {
        starts.push_back(at);
      }
    }
  }
  std::sort(starts.begin(), starts.end());
  starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
  return starts;
}

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
  return text;
}

// The value of the href attribute of one start tag, quoted or bare; nothing when
// the tag has none.
std::optional<std::string_view> href_of(std::string_view tag) {
  for (size_t at = find_ignoring_ascii_case(tag, "href"); at != std::string_view::npos;
       at = find_ignoring_ascii_case(tag, "href", at + 4)) {
    if (at == 0 || !is_blank(tag[at - 1])) continue;
    std::string_view rest = trimmed(tag.substr(at + 4));
    if (rest.empty() || rest.front() != '=') continue;
    rest = trimmed(rest.substr(1));
    if (rest.empty()) return std::string_view();
    const char quote = rest.front();
    if (quote == '"' || quote == '\'') {
      rest.remove_prefix(1);
      return rest.substr(0, rest.find(quote));
    }
    const size_t end = std::min(rest.find_first_of(kBlanks), rest.find('>'));
    return rest.substr(0, end);
  }
  return std::nullopt;
}

// Addresses on the engine's own host ("/link?url=...") are made whole.
std::string whole_address(const Engine& engine, std::string_view link) {
  if (link.starts_with("//")) return "http:" + std::string(link);
  if (link.starts_with("/")) return "http://" + std::string(engine.host) + std::string(link);
  return std::string(link);
}

// The first link of a result that has an address, with its text as the title.
std::optional<ResultItem> first_link(const Engine& engine, std::string_view item,
                                     const RegexObject& tag_expression) {
  for (size_t at = find_ignoring_ascii_case(item, "<a"); at != std::string_view::npos;
       at = find_ignoring_ascii_case(item, "<a", at + 2)) {
    if (at + 2 >= item.size() || !is_blank(item[at + 2])) continue;
    const size_t tag_end = item.find('>', at);
    if (tag_end == std::string_view::npos) return std::nullopt;
    const std::optional<std::string_view> href = href_of(item.substr(at, tag_end - at));
    if (!href) continue;
    const size_t text_end = find_ignoring_ascii_case(item, "</a", tag_end);
    const std::string_view text = item.substr(
        tag_end + 1, text_end == std::string_view::npos ? std::string_view::npos : text_end - tag_end - 1);
    return ResultItem{.title = decode_html_entities(trimmed(tag_expression.regex_replace(text, ""))),
                      .link = whole_address(engine, decode_html_entities(trimmed(*href)))};
  }
  return std::nullopt;
}

// The result without its script elements: their texts write markup for later, links
// that are no address ("'+t.data("url")+'") among it.
std::string without_scripts(std::string_view item) {
  std::string text;
  for (size_t at = 0;;) {
    const size_t script = find_ignoring_ascii_case(item, "<script", at);
    text.append(item.substr(at, script == std::string_view::npos ? std::string_view::npos : script - at));
    if (script == std::string_view::npos) return text;
    const size_t end = find_ignoring_ascii_case(item, "</script", script);
    if (end == std::string_view::npos) return text;
    at = end;
  }
}

// The part of a result where its link is looked for: from the engine's marker on,
// or the whole result when the marker is missing.
std::string_view linked_part(const Engine& engine, std::string_view item) {
  if (engine.result_link_after.empty()) return item;
  const size_t at = find_ignoring_ascii_case(item, gbk(engine.result_link_after));
  return at == std::string_view::npos ? item : item.substr(at);
}

}  // namespace

std::optional<ResultItem> result_holding(const Engine& engine, std::string_view result_list,
                                         const RegexObject& tag_expression, std::string_view forms) {
  const std::vector<size_t> starts = item_starts(engine, result_list);
  for (size_t i = 0; i < starts.size(); ++i) {
    const size_t end = i + 1 < starts.size() ? starts[i + 1] : result_list.size();
    const std::string_view item = result_list.substr(starts[i], end - starts[i]);
    if (!contains_any(decode_html_entities(tag_expression.regex_replace(item, "")), forms, true)) continue;
    return first_link(engine, linked_part(engine, without_scripts(item)), tag_expression);
  }
  return std::nullopt;
}
