#include "search/response_text.h"

#include "support/text_conversions.h"
#include "support/text_markers.h"
#include "support/text_search.h"
#include "support/utf8.h"

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kTagBlanks = " \t\r\n";

bool names_utf8(std::string_view charset) {
  return charset == "utf-8" || charset == "utf8";
}

// The charset a meta tag declares, lower-case, however it is quoted or spaced
// ("charset = 'UTF-8'"); empty when it declares none.
std::string declared_charset(std::string_view tag) {
  for (size_t at = find_ignoring_ascii_case(tag, "charset"); at != std::string_view::npos;
       at = find_ignoring_ascii_case(tag, "charset", at + 7)) {
    size_t value = tag.find_first_not_of(kTagBlanks, at + 7);
    if (value == std::string_view::npos || tag[value] != '=') continue;
    value = tag.find_first_not_of(" \t\r\n\"'", value + 1);
    if (value == std::string_view::npos) return {};
    std::string charset(tag.substr(value, tag.find_first_of(" \t\r\n\"';/", value) - value));
    for (char& c : charset) {
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return charset;
  }
  return {};
}

// The first charset a meta tag declares: only meta tags count, and only those of
// the head when the page has one. Empty when none does.
std::string meta_charset(std::string_view page) {
  const std::string head = text_between(page, "<head>", "</head>");
  const std::string_view scope = head.empty() ? page : std::string_view(head);
  size_t position = 0;
  for (std::string tag = text_between_retry(scope, "<meta", ">", position); !tag.empty();
       tag = text_between_retry(scope, "<meta", ">", position)) {
    if (std::string charset = declared_charset(tag); !charset.empty()) return charset;
  }
  return {};
}

// A byte-order mark settles it, as in a browser; then a meta declaration wins over
// the answer's header. A page whose Chinese is well-formed UTF-8 is UTF-8 whatever
// it declares or when it declares nothing: GBK Chinese text practically never is.
bool page_is_utf8(std::string_view page, std::string_view header_charset) {
  if (page.starts_with(kUtf8ByteOrderMark)) return true;
  const std::string meta = meta_charset(page);
  if (names_utf8(meta.empty() ? header_charset : std::string_view(meta))) return true;
  return is_utf8_beyond_ascii(page);
}

}  // namespace

std::string decode_response_text(std::string_view text, int response_charset,
                                 std::string_view header_charset) {
  switch (response_charset) {
    case 0:
      return strip_leading_question_mark(page_is_utf8(text, header_charset) ? utf8_to_ansi(text)
                                                                            : std::string(text));
    case 1:
      return strip_leading_question_mark(text);
    case 2:
      return strip_leading_question_mark(utf8_to_ansi(text));
    default:
      return std::string(text);
  }
}
