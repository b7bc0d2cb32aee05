#pragma once

// What the command's exit status tells a script, most urgent last: a run ends
// with the highest that applies.
enum ExitStatus : int {
  kAllOriginal = 0,
  kSomeNotOriginal = 1,
  kBadInput = 2,      // bad usage, an input that could not be read, or an output not written
  kEngineFailed = 3,  // the engine could not be reached, blocked us, or gave pages we could not read
};

// A run stopped by a signal ends with 128 plus its number: 130 for Ctrl-C, 143 for SIGTERM.
inline int exit_status_for_signal(int signal_number) {
  return 128 + signal_number;
}
