#pragma once

#include <cstdio>

#include "cli/command_options.h"

class ProgressOutput;

// Checks the articles the options name, as the window's batch does, printing one
// line per finished article and the batch's summary to `out`, and returns the
// exit status (exit_status.h).
int run_command(const CommandOptions& options, std::FILE* out, ProgressOutput& progress);
