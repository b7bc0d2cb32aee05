#include "cli/article_result.h"

#include "support/text_helpers.h"

double ArticleResult::rate() const {
  return searched > 0 ? static_cast<double>(indexed) / searched * 100 : 0.0;
}

std::string ArticleResult::rate_text() const {
  return format_decimal_2(rate());
}

std::string ArticleResult::line() const {
  return verdict + '\t' + std::to_string(searched) + '\t' + std::to_string(indexed) + '\t' + rate_text() +
         '\t' + path.native() + '\n';
}
