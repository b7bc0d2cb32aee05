#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "check/check_context.h"
#include "check/search_estimate.h"

// What one file of a batch may cost; none for a file that cannot be read.
struct FileEstimate {
  std::filesystem::path file;
  std::optional<SearchEstimate> searches;
};

// Every file of a batch read as the batch reads it and estimated, asking the
// engine nothing. Events are let run after each file; a stop ends it early.
std::vector<FileEstimate> estimate_batch(CheckContext& context, const std::vector<std::filesystem::path>& paths);

// The sum over the files that could be read.
SearchEstimate batch_total(const std::vector<FileEstimate>& estimates);
