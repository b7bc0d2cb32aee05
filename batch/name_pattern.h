#pragma once

#include <string>
#include <string_view>

// A file-name pattern as the folder batch takes it: "*" for any run of
// characters, "?" for one character, every other character for itself, letters
// in any case. Like the Windows directory search, "*.*" matches every name, with
// or without a dot. One pattern: a ";" is a character like any other.
class NamePattern {
 public:
  // `pattern` is UTF-8, as the file names are.
  explicit NamePattern(std::string_view pattern);

  bool matches(const std::string& file_name) const;

 private:
  std::string fnmatch_pattern_;
};
