#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Offset of a group that took no part in a match (PCRE2's PCRE2_UNSET).
inline constexpr size_t kUnsetOffset = SIZE_MAX;

// A replacement text read the way VBScript's Replace reads it:
//   $1..$99  the text of that group (empty when the group took no part); a two-digit
//            reference to a group the pattern lacks falls back to one digit followed by
//            the second digit as literal text, so "$12" with three groups is group 1 then "2";
//   $&       the whole match;   $`  the subject before it;   $'  the subject after it;
//   $$       one dollar sign.
// Everything else, "$0", a reference to a group the pattern lacks and a lone "$"
// included, is literal text. The template is read once and expanded for every match.
class ReplacementTemplate {
 public:
  ReplacementTemplate(std::string_view utf8_template, int group_count);

  // Appends the expansion for one match of `subject`. `offsets` holds the start and
  // end of the whole match, then of each group (kUnsetOffset when it took no part).
  void append_expansion(std::string& out, std::string_view subject, std::span<const size_t> offsets) const;

 private:
  enum class Kind { kLiteral, kGroup, kBeforeMatch, kAfterMatch };
  struct Piece {
    Kind kind;
    std::string literal;  // kLiteral only
    int group = 0;        // kGroup only; 0 is the whole match
  };

  void append_literal(std::string_view text);

  std::vector<Piece> pieces_;
};
