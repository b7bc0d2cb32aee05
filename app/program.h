#pragma once

// Starts the program: the long-lived objects, the configuration beside the
// program, the main window; runs until the window closes. Returns the exit code.
int program_main(int argc, char* argv[]);
