#pragma once

// Starts the program: the long-lived objects, the configuration (beside the
// program, or in the user's folder when the program's folder cannot be written),
// the main window; runs until the window closes. Returns the exit code.
int program_main(int argc, char* argv[]);
