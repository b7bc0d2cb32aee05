#pragma once

#include <ctime>
#include <string>

// `time` in the local time zone, written by strftime's `format`
// ("%Y-%m-%d %H:%M:%S"); empty when it does not fit 63 bytes.
std::string local_time_text(std::time_t time, const char* format);
