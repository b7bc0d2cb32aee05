#include "support/text_markers.h"

#include <algorithm>
#include <optional>

#include "support/text_helpers.h"
#include "support/text_search.h"

namespace {

// The text between the markers, or nothing when one of them is missing (which
// an empty text between touching markers cannot tell).
std::optional<std::string> find_between(std::string_view text, std::string_view start_marker,
                                        std::string_view end_marker, size_t& position) {
  const size_t from = position > 0 ? position - 1 : 0;
  const size_t start = find_ignoring_ascii_case(text, start_marker, from);
  if (start == std::string_view::npos) return std::nullopt;
  const size_t inner = start + start_marker.size();
  const size_t end = find_ignoring_ascii_case(text, end_marker, inner);
  if (end == std::string_view::npos) return std::nullopt;
  position = end + end_marker.size() + 1;
  return std::string(text.substr(inner, end - inner));
}

std::string without_double_quotes(std::string_view marker) {
  return replace_all_exact(marker, "\"", "");
}

}  // namespace

std::string text_between(std::string_view text, std::string_view start_marker, std::string_view end_marker,
                         size_t& position) {
  return find_between(text, start_marker, end_marker, position).value_or(std::string());
}

std::string text_between(std::string_view text, std::string_view start_marker, std::string_view end_marker) {
  size_t position = 1;
  return text_between(text, start_marker, end_marker, position);
}

std::string text_between_retry(std::string_view text, std::string_view start_marker,
                               std::string_view end_marker, size_t& position) {
  if (auto found = find_between(text, start_marker, end_marker, position)) return std::move(*found);
  return text_between(text, without_double_quotes(start_marker), without_double_quotes(end_marker), position);
}

std::string fix_quotes(std::string_view text) {
  return replace_all_exact(text, "''", "\"");
}

bool has_utf8_charset(std::string_view text) {
  return contains_any(text, fix_quotes(kUtf8CharsetList), /*any_mode=*/true);
}

std::string declared_charset(std::string_view text) {
  constexpr std::string_view kDeclaration = "charset=";
  const size_t at = find_ignoring_ascii_case(text, kDeclaration);
  if (at == std::string_view::npos) return {};
  std::string_view value = text.substr(at + kDeclaration.size());
  if (value.starts_with('"')) value.remove_prefix(1);
  const auto is_name_character = [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           std::string_view("-_.:").find(c) != std::string_view::npos;
  };
  std::string name(value.substr(0, std::ranges::find_if_not(value, is_name_character) - value.begin()));
  std::ranges::transform(name, name.begin(), [](char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; });
  return name;
}
