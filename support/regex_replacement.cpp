#include "support/regex_replacement.h"

namespace {

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// The group a "$" at `dollar` refers to and how many characters the reference takes,
// or {0, 0} when the digits after it name no group of the pattern.
struct GroupReference {
  int group;
  size_t length;
};

GroupReference read_group_reference(std::string_view text, size_t dollar, int group_count) {
  const size_t first = dollar + 1;
  if (first >= text.size() || !is_digit(text[first])) return {0, 0};
  const int one_digit = text[first] - '0';
  if (first + 1 < text.size() && is_digit(text[first + 1])) {
    const int two_digits = one_digit * 10 + (text[first + 1] - '0');
    if (two_digits >= 1 && two_digits <= group_count) return {two_digits, 3};
  }
  if (one_digit >= 1 && one_digit <= group_count) return {one_digit, 2};
  return {0, 0};
}

}  // namespace

ReplacementTemplate::ReplacementTemplate(std::string_view text, int group_count) {
  size_t literal_start = 0;
  size_t pos = 0;
  while ((pos = text.find('$', pos)) != std::string_view::npos) {
    append_literal(text.substr(literal_start, pos - literal_start));
    const char next = pos + 1 < text.size() ? text[pos + 1] : '\0';
    size_t length = 2;
    if (next == '$') {
      append_literal("$");
    } else if (next == '&') {
      pieces_.push_back({Kind::kGroup, {}, 0});
    } else if (next == '`') {
      pieces_.push_back({Kind::kBeforeMatch, {}, 0});
    } else if (next == '\'') {
      pieces_.push_back({Kind::kAfterMatch, {}, 0});
    } else if (const GroupReference reference = read_group_reference(text, pos, group_count);
               reference.length > 0) {
      pieces_.push_back({Kind::kGroup, {}, reference.group});
      length = reference.length;
    } else {
      // Not a reference: the dollar sign is literal and what follows is read as usual.
      append_literal("$");
      length = 1;
    }
    pos += length;
    literal_start = pos;
  }
  append_literal(text.substr(literal_start));
}

void ReplacementTemplate::append_literal(std::string_view text) {
  if (text.empty()) return;
  if (!pieces_.empty() && pieces_.back().kind == Kind::kLiteral) {
    pieces_.back().literal.append(text);
    return;
  }
  pieces_.push_back({Kind::kLiteral, std::string(text), 0});
}

void ReplacementTemplate::append_expansion(std::string& out, std::string_view subject,
                                           std::span<const size_t> offsets) const {
  const size_t match_start = offsets[0];
  const size_t match_end = offsets[1];
  for (const Piece& piece : pieces_) {
    switch (piece.kind) {
      case Kind::kLiteral:
        out.append(piece.literal);
        break;
      case Kind::kGroup: {
        const size_t start = offsets[2 * piece.group];
        const size_t end = offsets[2 * piece.group + 1];
        if (start != kUnsetOffset) out.append(subject.substr(start, end - start));
        break;
      }
      case Kind::kBeforeMatch:
        out.append(subject.substr(0, match_start));
        break;
      case Kind::kAfterMatch:
        out.append(subject.substr(match_end));
        break;
    }
  }
}
