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

// One edit of a text: the bytes [begin, end) give way to `inserted`. Both ends
// lie at the start of a line, at the end of a line's content (before its line
// end) or at the end of the text, never inside what a line says, so that the
// same edit can be made in another encoding of the same lines.
struct ProfileTextEdit {
  size_t begin = 0;
  size_t end = 0;
  std::string inserted;
};

// The edit that sets `key` in `section` to `value` (verbatim; the entry must be
// writable): the key's line is rewritten, or the key is added to its section, or
// the section is added at the end. Every other line stays as it was, byte for byte.
ProfileTextEdit profile_value_edit(std::string_view text, std::string_view section, std::string_view key,
                                   std::string_view value);

// `text` with that edit made.
std::string with_profile_value(std::string_view text, std::string_view section, std::string_view key,
                               std::string_view value);
