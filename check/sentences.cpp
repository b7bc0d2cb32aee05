#include "check/sentences.h"

#include <algorithm>

#include "support/regex_object.h"

namespace {

// "⊥" in GBK: every delimiter becomes one before the text is cut.
constexpr std::string_view kPieceMarker = "\xA1\xCD";
// "　" in GBK.
constexpr std::string_view kIdeographicSpace = "\xA1\xA1";

}  // namespace

std::vector<std::string> split_sentences(const RegexObject& delimiter_expression,
                                         std::string_view cleaned_content) {
  const std::string marked = delimiter_expression.regex_replace(cleaned_content, kPieceMarker);
  std::vector<std::string> pieces;
  size_t piece_start = 0;
  size_t at = 0;
  while (at < marked.size()) {
    if (marked.compare(at, kPieceMarker.size(), kPieceMarker) == 0) {
      pieces.emplace_back(marked, piece_start, at - piece_start);
      at += kPieceMarker.size();
      piece_start = at;
      continue;
    }
    // A byte of 0x80 or above takes the next one with it: no cut inside a character.
    at += static_cast<unsigned char>(marked[at]) >= 0x80 ? 2 : 1;
  }
  if (piece_start < marked.size()) pieces.emplace_back(marked, piece_start);
  return pieces;
}

namespace {

bool is_blank_byte(char byte) {
  return byte == ' ' || byte == '\t';
}

// True when the trim expression cannot match: no blank at either end and no line
// break inside, after which a line could start or end. Most sentences are like that,
// and skipping the expression for them halves the time of drawing a long article.
// Two bytes of the ideographic space at the end always go to the expression, as
// they might be the end of one character and a lone byte.
bool nothing_to_trim(std::string_view text) {
  if (text.empty()) return true;
  if (std::ranges::any_of(text, [](char byte) { return byte == '\r' || byte == '\n'; })) return false;
  if (is_blank_byte(text.front()) || is_blank_byte(text.back())) return false;
  return !text.starts_with(kIdeographicSpace) && !text.ends_with(kIdeographicSpace);
}

}  // namespace

std::string trim_blanks(const RegexObject& trim_expression, std::string_view text) {
  if (nothing_to_trim(text)) return std::string(text);
  return trim_expression.regex_replace(text, "");
}

int count_chars(std::string_view text) {
  int count = 0;
  bool half_pair = false;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80 && byte != '\r' && byte != '\n') {
      ++count;
      continue;
    }
    half_pair = !half_pair;
    if (!half_pair) ++count;
  }
  return count;
}

int sentence_count_for_verdict(int requested, size_t pieces) {
  if (requested < 0 || static_cast<size_t>(requested) <= pieces) return requested;
  return static_cast<int>(pieces);
}
