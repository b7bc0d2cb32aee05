#pragma once

#include <string>
#include <string_view>

#include "check/check_context.h"

// Checks one article as the window's options say: the title searched whole, then a
// random sample of the content's sentences. True means original. False also when
// the run was stopped and when neither check is ticked; stop_requested tells these
// apart from a verdict.
//
// When `title_given` is false the title is taken from 编辑框标题, else the given
// title is written into it first; either way `title` receives the trimmed title.
// The same holds for the content and 编辑框内容. With `show_messages` the verdict
// is shown in a message box (the single-article run); a batch passes false.
bool check_article(CheckContext& context, bool show_messages, std::string& title, bool title_given,
                   std::string_view content, bool content_given);
