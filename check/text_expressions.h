#pragma once

#include <string>
#include <string_view>

#include "support/regex_object.h"

class Window;

// The four expressions of the article check, which live as long as the program:
// created empty at start-up, in this order, and given their patterns later.
struct TextExpressions {
  RegexObject cleaning;   // what clean_content removes; rebuilt at the start of every run
  RegexObject delimiter;  // where split_sentences cuts; set right after the cleaning one
  RegexObject trim;       // blanks at both ends of every line (trim_blanks)
  RegexObject tag;        // one tag of markup, for the engine's result list
};

// Sets the cleaning expression from the window's options (选择框忽略网址邮箱,
// 选择框忽略数字 with 编辑框数字位数), then the delimiter expression. Called at the
// start of every run, so options changed during a run count from the next one.
void build_cleaning_expression(const Window& window, TextExpressions& expressions);

// The content without tags, entities and, by the options, addresses and long digit
// runs; nothing is put where a match was. Empty when the expression is unusable.
std::string clean_content(const RegexObject& cleaning_expression, std::string_view content);

// Sets the tag and trim expressions; the window does this once, when it is created.
void prepare_window_expressions(TextExpressions& expressions);
