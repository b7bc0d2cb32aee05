#include "cli/command_line.h"

#include <cstdio>

#include "cli/command_options.h"
#include "cli/command_run.h"
#include "cli/exit_status.h"
#include "cli/progress_output.h"

int run_command_line(int argc, char* argv[]) {
  const ParsedCommand command = parse_command_line(argc, argv);
  if (!command.error.empty()) {
    std::fprintf(stderr, "originality-check: %s\nTry 'originality-check --help'.\n", command.error.c_str());
    return kBadInput;
  }
  switch (command.request) {
    case CommandRequest::help:
      std::fputs(usage_text().c_str(), stdout);
      return 0;
    case CommandRequest::version:
      std::printf("originality-check %s\n", PROGRAM_VERSION);
      return 0;
    case CommandRequest::run:
      break;
  }
  ProgressOutput progress(stderr, command.options.show_progress);
  return run_command(command.options, stdout, progress);
}
