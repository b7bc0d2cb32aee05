#pragma once

class Window;
struct ProgramObjects;

// The command-line option that checks an installed copy instead of running it.
inline constexpr char kSelfCheckOption[] = "--self-check";

// Checks that the started program can do what an installation must let it do:
// the embedded browser's module loads and shows a page, and the settings are
// saved where this copy keeps them. Says on standard output what it found and
// returns the exit code: 0 when both hold.
int run_self_check(Window& window, ProgramObjects& objects);
