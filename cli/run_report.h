#pragma once

#include <filesystem>
#include <vector>

#include "cli/article_result.h"
#include "cli/command_options.h"

// Writes the articles' results to `file`: CSV (a header row, then file, verdict,
// searched, indexed, rate) or JSON (an array of objects with those keys). The
// file is replaced in one step. False when it could not be written.
bool write_run_report(const std::filesystem::path& file, ReportFormat format,
                      const std::vector<ArticleResult>& results);
