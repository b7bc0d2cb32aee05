#pragma once

#include <optional>
#include <string>
#include <string_view>

// The bytes of a Windows profile (INI) file in GBK, read and edited in memory the
// way the Windows profile-string functions do it:
// - "[name]" starts a section; a missing "]" is tolerated. Lines before the first
//   section belong to none.
// - "key=value" is a key; a line without "=" is none, a line starting with ";"
//   is a comment. ";" inside a value is data.
// - Section and key names compare without regard to ASCII case; blanks and tabs
//   around names and values do not count. Only the first of two equal sections
//   is searched, and the first of two equal keys wins.
// - Lines end in CR LF or LF alone.

// The value of `key` in `section`, without one pair of matching quotes around
// it; nullopt when the section or key is missing.
std::optional<std::string> find_profile_value(std::string_view text, std::string_view section,
                                              std::string_view key);

// True when the text has a section of that name.
bool has_profile_section(std::string_view text, std::string_view section);

// True when `section`, `key` and `value` can be written as one entry that reads
// back as written: each stays on one line, the names are not blank, and the key
// neither holds "=" nor looks like a comment or a section.
bool is_writable_profile_entry(std::string_view section, std::string_view key, std::string_view value);

// `text` with `key` in `section` set to `value` (verbatim; the entry must be
// writable). Every other line stays as it was, byte for byte.
std::string with_profile_value(std::string_view text, std::string_view section, std::string_view key,
                               std::string_view value);
