#include "support/regex_syntax.h"

#include <cstddef>

namespace {

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// Whether `text`, which starts with "{", starts with {n}, {n,} or {n,m}.
bool starts_counted_repetition(std::string_view text) {
  size_t i = 1;
  const auto skip_digits = [&] {
    const size_t start = i;
    while (i < text.size() && is_digit(text[i])) ++i;
    return i > start;
  };
  if (!skip_digits()) return false;
  if (i < text.size() && text[i] == ',') {
    ++i;
    skip_digits();
  }
  return i < text.size() && text[i] == '}';
}

}  // namespace

bool has_brace_vbscript_rejects(std::string_view pattern) {
  bool in_class = false;
  for (size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (c == '\\') {
      ++i;  // the escaped character
    } else if (in_class) {
      in_class = c != ']';
    } else if (c == '[') {
      in_class = true;
      // A "]" right after "[" or "[^" is a member of the class, as PCRE2 reads it.
      if (i + 1 < pattern.size() && pattern[i + 1] == '^') ++i;
      if (i + 1 < pattern.size() && pattern[i + 1] == ']') ++i;
    } else if (c == '{' && !starts_counted_repetition(pattern.substr(i))) {
      return true;
    }
  }
  return false;
}
