#include "check/text_expressions.h"

#include <algorithm>

#include "support/gbk.h"
#include "support/text_helpers.h"
#include "support/text_search.h"
#include "support/window.h"

namespace {

// The fixed parts of the cleaning pattern. "A-z" and the unescaped dot are kept as
// they always were: changing them would change which articles count as original.
constexpr std::string_view kTagsAndEntities = R"(<.*?>|&[a-z]+;|&#\d+;)";
constexpr std::string_view kAddresses = R"(|[a-zA-z]+://[^\s]*|\w+@\w+.\w+)";

const std::string& delimiter_pattern() {
  static const std::string pattern = gbk(R"(……|[，。；;,\?!？！…~]|\r\n|[ 　]{2,})");
  return pattern;
}

// Stored with a 9 standing for the tab character.
std::string trim_pattern() {
  return replace_all_exact(gbk("^[ 　9]+|[ 　9]+$"), "9", "\t");
}

// PCRE2's limit on a {n,} repeat count.
constexpr int kLargestRepeatCount = 65535;

}  // namespace

void build_cleaning_expression(const Window& window, TextExpressions& expressions) {
  std::string pattern(kTagsAndEntities);
  if (window.checked(Control::选择框忽略网址邮箱)) pattern += kAddresses;
  if (window.checked(Control::选择框忽略数字)) {
    // A length outside what the regex engine accepts as a repeat count would make the
    // pattern unusable and leave no sentence to search, so every article would pass
    // for indexed: a negative one means "any run", a larger one the longest allowed.
    const int shortest_run =
        std::clamp(to_whole_number(window.text(Control::编辑框数字位数)), 0, kLargestRepeatCount);
    pattern += "|\\d{" + std::to_string(shortest_run) + ",}";
  }
  expressions.cleaning.set_pattern_positive(pattern);
  expressions.delimiter.set_pattern_positive(delimiter_pattern());
}

std::string clean_content(const RegexObject& cleaning_expression, std::string_view content) {
  return cleaning_expression.regex_replace(content, "");
}

void prepare_window_expressions(TextExpressions& expressions) {
  expressions.tag.set_pattern("<.*?>");
  expressions.trim.set_pattern(trim_pattern());
}
