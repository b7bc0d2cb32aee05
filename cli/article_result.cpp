#include "cli/article_result.h"

#include <algorithm>
#include <cstdio>

#include "support/text_helpers.h"

namespace {

bool is_control(char c) {
  return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
}

}  // namespace

// The path as the line's last field. A name may hold any byte but "/": one with a
// line break or a tab could forge a line or a field, one with an escape sequence
// could work the terminal. Such a path is written in double quotes with C escapes,
// as git quotes paths; any other is written as it is and, being absolute, starts
// with "/", so the two never mix up.
std::string path_field(const std::string& path) {
  if (std::ranges::none_of(path, is_control)) return path;
  std::string field = "\"";
  for (const char c : path) {
    switch (c) {
      case '\n':
        field += "\\n";
        break;
      case '\t':
        field += "\\t";
        break;
      case '\r':
        field += "\\r";
        break;
      case '"':
      case '\\':
        field += '\\';
        field += c;
        break;
      default:
        if (is_control(c)) {
          char octal[5];
          std::snprintf(octal, sizeof octal, "\\%03o", static_cast<unsigned char>(c));
          field += octal;
        } else {
          field += c;
        }
    }
  }
  return field + '"';
}

double ArticleResult::rate() const {
  return searched > 0 ? static_cast<double>(indexed) / searched * 100 : 0.0;
}

std::string ArticleResult::rate_text() const {
  return format_decimal_2(rate());
}

std::string ArticleResult::line() const {
  return verdict + '\t' + std::to_string(searched) + '\t' + std::to_string(indexed) + '\t' + rate_text() +
         '\t' + path_field(path.native()) + '\n';
}
