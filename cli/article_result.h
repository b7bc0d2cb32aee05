#pragma once

#include <filesystem>
#include <string>

// What the command says about one finished article.
struct ArticleResult {
  std::string verdict;  // "original", "not-original", "unreadable" or "undecided"
  int searched = 0;     // queries the engine answered, the title's included
  int indexed = 0;      // of those, the ones the engine has
  std::filesystem::path path;

  // The indexed share of the searched queries in percent; 0 when nothing was searched.
  double rate() const;
  // The rate as the window writes rates: "50", "33.33".
  std::string rate_text() const;
  // The line of standard output: the four values and the path, tab-separated;
  // a path with a control character in double quotes, C-escaped.
  std::string line() const;
};

// A path as the last field of a line: as it is, or, when it holds a control
// character, in double quotes with C escapes.
std::string path_field(const std::string& path);
