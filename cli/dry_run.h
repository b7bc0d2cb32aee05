#pragma once

#include <cstdio>
#include <filesystem>
#include <vector>

#include "check/check_context.h"

class ProgressOutput;

// --dry-run: for every article a line "estimate", the most searches it may need,
// how many of them the cache answers, and its path (tab-separated), then the total
// with the time at the interval, as the window shows it when a batch starts. No
// request is sent. Returns the exit status.
int print_estimates(CheckContext& context, const std::vector<std::filesystem::path>& files, std::FILE* out,
                    ProgressOutput& progress);
