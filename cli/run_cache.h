#pragma once

#include <optional>

#include "cli/command_options.h"
#include "search/cached_answers.h"

class Window;

// The answer cache this run uses, as the options and the settings file's
// [结果缓存] say: beside --settings FILE when given, else beside the window
// program's 主配置.ini (its folder made if need be). None when it is off.
std::optional<CachedAnswers> answer_cache_for_run(Window& window, const CommandOptions& options);
