#pragma once

// Whole numbers from the values the settings hold, kept within what an int and a
// wait can take instead of overflowing.

// `value` truncated toward zero, saturated to the int range.
int truncated_to_int(double value);

// A wait of `seconds` in whole milliseconds, truncated toward zero; 0 for a
// negative time.
int wait_milliseconds(double seconds);
