#pragma once

#include <cstdio>
#include <string>
#include <string_view>

// Progress and warnings on standard error. On a terminal the progress is one live
// line, rewritten in place; otherwise (a log, a pipe) every change is a line of
// its own. Warnings always get a line, even when progress is off. Control
// characters other than line breaks and tabs are shown as "?".
class ProgressOutput {
 public:
  ProgressOutput(std::FILE* stream, bool show_progress);

  // `text` is UTF-8; empty text shows nothing.
  void show(std::string_view text);
  void warn(std::string_view text);
  // Takes the live line away, so that other output starts on a clean line.
  void clear();

 private:
  std::FILE* stream_;
  bool show_progress_;
  bool live_;
  bool line_shown_ = false;
  std::string last_text_;
};

// Core text (GBK, CR LF line breaks) as a terminal shows it: UTF-8 with LF.
std::string terminal_text(std::string_view gbk_text);
