#pragma once

#include <string>
#include <string_view>

#include "support/gbk.h"
#include "support/regex_object.h"

// Tests write subjects, replacements and expectations in UTF-8; the object sees GBK.
inline std::string replaced(const RegexObject& regex, std::string_view subject,
                            std::string_view replacement) {
  return utf8_from_gbk(regex.regex_replace(gbk(subject), gbk(replacement)));
}

// A regex with `pattern` and the given options (all on by default).
inline RegexObject regex_with(std::string_view pattern, bool ignore_case = true, bool multi_line = true,
                              bool global_match = true) {
  RegexObject regex;
  regex.set_pattern_positive(gbk(pattern), ignore_case, multi_line, global_match);
  return regex;
}
