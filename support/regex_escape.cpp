#include "support/regex_escape.h"

#include "support/text_search.h"

namespace {

// The backslash comes first, so the backslashes added later are not escaped again.
constexpr std::string_view kWildcardSpecials = R"list(\^$+.{}[]=()")list";
constexpr std::string_view kAllSpecials = R"list(\^$+.{}[]=()?*|")list";
constexpr std::string_view kSpecialsButBar = R"list(\^$+.{}[]=()?*")list";

std::string escape_each(std::string_view text, std::string_view specials) {
  std::string result(text);
  for (const char special : specials) {
    const char escaped[] = {'\\', special};
    result = replace_all_exact(result, std::string_view(&special, 1), std::string_view(escaped, 2));
  }
  return result;
}

}  // namespace

std::string wildcard_to_pattern(std::string_view wildcard) {
  const std::string escaped = escape_each(wildcard, kWildcardSpecials);
  return replace_all_exact(replace_all_exact(escaped, "*", ".*"), "?", ".?");
}

std::string escape_all(std::string_view text) {
  return escape_each(text, kAllSpecials);
}

std::string escape_no_bar(std::string_view text) {
  return escape_each(text, kSpecialsButBar);
}
