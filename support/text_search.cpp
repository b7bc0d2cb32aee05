#include "support/text_search.h"

namespace {

bool is_lead_byte(char c) {
  return static_cast<unsigned char>(c) >= 0x80;
}

char ascii_lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Offset of the character after the one starting at `at`.
size_t next_boundary(std::string_view text, size_t at) {
  return (is_lead_byte(text[at]) && at + 1 < text.size()) ? at + 2 : at + 1;
}

// Whether `item` stands in `text` at `at`; `fold_case` applies to ASCII
// characters only, never to the second byte of a double-byte character.
bool matches_at(std::string_view text, size_t at, std::string_view item, bool fold_case) {
  for (size_t i = 0; i < item.size(); ++i) {
    if (is_lead_byte(item[i]) && i + 1 < item.size()) {
      if (text[at + i] != item[i] || text[at + i + 1] != item[i + 1]) return false;
      ++i;
    } else if (fold_case ? ascii_lower(text[at + i]) != ascii_lower(item[i]) : text[at + i] != item[i]) {
      return false;
    }
  }
  return true;
}

// The first character boundary at or after `target`, walking from the known
// boundary `from`. A byte below 0x40 is never the second byte of a character, so
// the walk may start right after the last such byte before `target`.
size_t walk_to(std::string_view text, size_t from, size_t target) {
  size_t at = target;
  while (at > from && static_cast<unsigned char>(text[at - 1]) >= 0x40) --at;
  while (at < target) at = next_boundary(text, at);
  return at;
}

bool is_ascii_letter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Offset of a byte of `item` that the text must hold exactly (the first one
// that is not a case-folded letter), so candidates can be found with memchr;
// npos when every byte is an ASCII letter under case folding.
size_t exact_anchor(std::string_view item, bool fold_case) {
  if (!fold_case) return 0;
  for (size_t i = 0; i < item.size(); ++i) {
    if (!is_ascii_letter(item[i])) return i;
  }
  return std::string_view::npos;
}

size_t find_at_boundaries(std::string_view text, std::string_view item, size_t from, bool fold_case) {
  if (item.empty()) return from < text.size() ? from : std::string_view::npos;
  const size_t anchor = exact_anchor(item, fold_case);
  size_t boundary = from;
  if (anchor == std::string_view::npos) {
    for (; boundary < text.size() && text.size() - boundary >= item.size();
         boundary = next_boundary(text, boundary)) {
      if (matches_at(text, boundary, item, fold_case)) return boundary;
    }
    return std::string_view::npos;
  }
  for (size_t hit = text.find(item[anchor], from + anchor); hit != std::string_view::npos;
       hit = text.find(item[anchor], hit + 1)) {
    const size_t start = hit - anchor;
    if (text.size() - start < item.size()) return std::string_view::npos;
    if (boundary < start) boundary = walk_to(text, boundary, start);
    if (boundary == start && matches_at(text, start, item, fold_case)) return start;
  }
  return std::string_view::npos;
}

}  // namespace

size_t find_ignoring_ascii_case(std::string_view text, std::string_view item, size_t from) {
  return find_at_boundaries(text, item, from, true);
}

size_t find_exact(std::string_view text, std::string_view item, size_t from) {
  return find_at_boundaries(text, item, from, false);
}

std::string replace_all_exact(std::string_view text, std::string_view from, std::string_view to) {
  if (from.empty()) return std::string(text);
  std::string result;
  result.reserve(text.size());
  size_t done = 0;
  for (size_t at = find_exact(text, from, 0); at != std::string_view::npos;
       at = find_exact(text, from, done)) {
    result.append(text.substr(done, at - done)).append(to);
    done = at + from.size();
  }
  result.append(text.substr(done));
  return result;
}
