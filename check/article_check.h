#pragma once

#include <string>
#include <string_view>

#include "check/check_context.h"

enum class ArticleVerdict {
  not_original,  // also when the run was stopped and when neither check is ticked
  original,
  // The engine's result pages for every sentence searched could not be read; a
  // warning said so when messages are shown.
  undecided,
};

// Checks one article as the window's options say: the title searched whole, then a
// random sample of the content's sentences. stop_requested tells a stop apart from a
// verdict of not original.
//
// When `title_given` is false the title is taken from 编辑框标题, else the given
// title is written into it first; either way `title` receives the trimmed title.
// The same holds for the content and 编辑框内容. With `show_messages` the verdict
// is shown in a message box (the single-article run); a batch passes false.
ArticleVerdict check_article(CheckContext& context, bool show_messages, std::string& title, bool title_given,
                             std::string_view content, bool content_given);
