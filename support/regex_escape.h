#pragma once

#include <string>
#include <string_view>

// Literal GBK text turned into a pattern for RegexObject: each character of a fixed
// list gets a backslash in front. Only whole characters are escaped, never the
// second byte of a double-byte character.

// A file-name wildcard as a pattern: "*" matches any run of characters, "?" at most
// one character, every other character only itself ("|" stays an alternative).
std::string wildcard_to_pattern(std::string_view wildcard);

// Every pattern operator escaped: the text matches only itself.
std::string escape_all(std::string_view text);

// As escape_all, but "|" stays an operator, so "a|b" matches either literal text.
std::string escape_no_bar(std::string_view text);
