#pragma once

// The whole command: reads the command line, answers --help and --version, tells
// a bad usage in one line, else runs the check. Returns the exit status.
int run_command_line(int argc, char* argv[]);
