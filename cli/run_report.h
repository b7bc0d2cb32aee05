#pragma once

#include <filesystem>
#include <vector>

#include "batch/batch_list.h"
#include "cli/command_options.h"

// Writes the finished articles' rows to `file`, the rows the window's batch lists:
// CSV exactly as the batch's list, or JSON (an array of objects with the keys
// file, verdict, searched, indexed, rate, copy, deleted, report, interval, stable,
// queries, cached;
// interval {low, high} in whole percent or null, stable false only when the
// threshold lies inside it). The file is replaced in one step. False when it could
// not be written.
bool write_run_report(const std::filesystem::path& file, ReportFormat format,
                      const std::vector<BatchListRow>& rows);
