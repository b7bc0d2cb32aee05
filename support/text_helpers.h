#pragma once

#include <string>
#include <string_view>

class Window;

// The separator of a "[fg]" list of alternatives.
inline constexpr std::string_view kListSeparator = "[fg]";

// True when one item of the "[fg]" list occurs in `text` (any_mode), or when all
// of them do. An empty list gives false in any mode and true in all mode.
bool contains_any(std::string_view text, std::string_view list, bool any_mode);

// GBK full-width forms (A3A1..A3FE, the ideographic space, the wave dash and the
// two full-width asterisks) mapped to their single-byte ASCII forms.
std::string to_half_width(std::string_view text);

// The leading whole number of a setting's text, after to_half_width; 0 when none.
int to_whole_number(std::string_view text);

// The leading decimal number of a setting's text, after to_half_width, kept in
// single precision; 0 when none.
float to_number(std::string_view text);

// `value` rounded to two decimals and written as "%.13g" would: 50, 33.33, 12.5.
std::string format_decimal_2(double value);

// Waits `milliseconds` in 10 ms slices, letting the window process its events
// after every slice; returns early once `stop` is true (tested before each slice).
void wait_ms(Window& window, int milliseconds, const bool& stop);
