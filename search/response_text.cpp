#include "search/response_text.h"

#include "support/text_conversions.h"
#include "support/text_markers.h"

namespace {

enum class MetaCharset { none, utf8, other };

bool names_a_charset(std::string tag) {
  for (char& c : tag) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return tag.find("charset") != std::string::npos;
}

// Only meta tags count, and only those of the head when the page has one.
MetaCharset meta_charset(std::string_view page) {
  const std::string head = text_between(page, "<head>", "</head>");
  const std::string_view scope = head.empty() ? page : std::string_view(head);
  MetaCharset declared = MetaCharset::none;
  size_t position = 0;
  for (std::string tag = text_between_retry(scope, "<meta", ">", position); !tag.empty();
       tag = text_between_retry(scope, "<meta", ">", position)) {
    if (has_utf8_charset(tag)) return MetaCharset::utf8;
    if (names_a_charset(tag)) declared = MetaCharset::other;
  }
  return declared;
}

// A meta declaration wins; the answer's header counts only when there is none.
bool page_is_utf8(std::string_view page, std::string_view header_charset) {
  switch (meta_charset(page)) {
    case MetaCharset::utf8:
      return true;
    case MetaCharset::other:
      return false;
    case MetaCharset::none:
      break;
  }
  return header_charset == "utf-8" || header_charset == "utf8";
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
