#pragma once

// Ctrl-C (SIGINT) and SIGTERM end a run as the stop button does. The handler
// only notes which signal came; the run reads it whenever it processes events.
void catch_stop_signals();

// The signal that asked to stop, or 0 when none came.
int stop_signal();
