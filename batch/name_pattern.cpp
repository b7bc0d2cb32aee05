#include "batch/name_pattern.h"

#include <fnmatch.h>
#include <locale.h>

namespace {

// fnmatch reads multi-byte characters by the thread's locale. Matching under a
// UTF-8 locale of our own makes "?" one character and the case folding Unicode's,
// whatever locale the program runs in. Names that are not valid UTF-8 are
// matched byte by byte by fnmatch itself.
class Utf8Locale {
 public:
  Utf8Locale() : locale_(newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{})) {}
  ~Utf8Locale() {
    if (locale_ != locale_t{}) freelocale(locale_);
  }
  Utf8Locale(const Utf8Locale&) = delete;
  Utf8Locale& operator=(const Utf8Locale&) = delete;

  // Without the locale on this system, the program's own stays in force.
  int match(const char* pattern, const char* name) const {
    if (locale_ == locale_t{}) return fnmatch(pattern, name, FNM_CASEFOLD);
    const locale_t previous = uselocale(locale_);
    const int result = fnmatch(pattern, name, FNM_CASEFOLD);
    uselocale(previous);
    return result;
  }

 private:
  locale_t locale_;
};

// Only "*" and "?" are wildcards; "[", "]" and "\" stand for themselves, as in a
// Windows pattern, so they are escaped for fnmatch.
std::string escaped_for_fnmatch(std::string_view pattern) {
  if (pattern == "*.*") return "*";
  std::string escaped;
  for (const char c : pattern) {
    if (c == '[' || c == ']' || c == '\\') escaped += '\\';
    escaped += c;
  }
  return escaped;
}

}  // namespace

NamePattern::NamePattern(std::string_view pattern) : fnmatch_pattern_(escaped_for_fnmatch(pattern)) {}

bool NamePattern::matches(const std::string& file_name) const {
  static const Utf8Locale utf8_locale;
  return utf8_locale.match(fnmatch_pattern_.c_str(), file_name.c_str()) == 0;
}
