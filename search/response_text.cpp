#include "search/response_text.h"

#include "support/text_conversions.h"
#include "support/text_markers.h"

namespace {

// Only meta tags count, and only those of the head when the page has one.
bool meta_declares_utf8(std::string_view page) {
  const std::string head = text_between(page, "<head>", "</head>");
  const std::string_view scope = head.empty() ? page : std::string_view(head);
  size_t position = 0;
  for (std::string tag = text_between_retry(scope, "<meta", ">", position); !tag.empty();
       tag = text_between_retry(scope, "<meta", ">", position)) {
    if (has_utf8_charset(tag)) return true;
  }
  return false;
}

}  // namespace

std::string decode_response_text(std::string_view text, int response_charset) {
  switch (response_charset) {
    case 0:
      return strip_leading_question_mark(meta_declares_utf8(text) ? utf8_to_ansi(text) : std::string(text));
    case 1:
      return strip_leading_question_mark(text);
    case 2:
      return strip_leading_question_mark(utf8_to_ansi(text));
    default:
      return std::string(text);
  }
}
