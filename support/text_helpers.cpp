#include "support/text_helpers.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <limits>
#include <thread>
#include <vector>

#include "support/text_search.h"
#include "support/window.h"

namespace {

// The items of a "[fg]" list: empty items before a separator are kept, an empty
// last item is dropped.
std::vector<std::string_view> split_list(std::string_view list) {
  std::vector<std::string_view> items;
  size_t start = 0;
  for (size_t at = find_exact(list, kListSeparator, 0); at != std::string_view::npos;
       at = find_exact(list, kListSeparator, start)) {
    items.push_back(list.substr(start, at - start));
    start = at + kListSeparator.size();
  }
  if (start < list.size()) items.push_back(list.substr(start));
  return items;
}

bool is_blank(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// Position after leading blanks and an optional sign; `negative` tells the sign.
size_t skip_blanks_and_sign(std::string_view text, bool& negative) {
  size_t at = 0;
  while (at < text.size() && is_blank(text[at])) ++at;
  negative = at < text.size() && text[at] == '-';
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) ++at;
  return at;
}

}  // namespace

bool contains_any(std::string_view text, std::string_view list, bool any_mode) {
  for (const std::string_view item : split_list(list)) {
    const bool found = find_ignoring_ascii_case(text, item) != std::string_view::npos;
    if (found == any_mode) return any_mode;
  }
  return !any_mode;
}

std::string to_half_width(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (size_t at = 0; at < text.size(); ++at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80 || at + 1 == text.size()) {
      result.push_back(text[at]);
      continue;
    }
    const auto trail = static_cast<unsigned char>(text[++at]);
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
      result.push_back(static_cast<char>(trail - 0x80));
    } else if (lead == 0xA1 && trail == 0xA1) {
      result.push_back(' ');
    } else if (lead == 0xA1 && trail == 0xAB) {
      result.push_back('~');
    } else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) {
      result.push_back('*');
    } else {
      result.push_back(static_cast<char>(lead));
      result.push_back(static_cast<char>(trail));
    }
  }
  return result;
}

int to_whole_number(std::string_view text) {
  const std::string half = to_half_width(text);
  bool negative = false;
  size_t at = skip_blanks_and_sign(half, negative);
  long long value = 0;
  for (; at < half.size() && is_digit(half[at]); ++at) {
    // Saturate instead of overflowing: a setting typed as a huge number is just huge.
    value = std::min<long long>(value * 10 + (half[at] - '0'), std::numeric_limits<int>::max() + 1LL);
  }
  if (negative) value = -value;
  return static_cast<int>(
      std::clamp<long long>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

float to_number(std::string_view text) {
  const std::string half = to_half_width(text);
  bool negative = false;
  size_t at = skip_blanks_and_sign(half, negative);
  const size_t start = at;
  while (at < half.size() && is_digit(half[at])) ++at;
  if (at < half.size() && half[at] == '.') {
    ++at;
    while (at < half.size() && is_digit(half[at])) ++at;
  }
  float value = 0;
  std::from_chars(half.data() + start, half.data() + at, value);  // leaves 0 when there is no number
  return negative ? -value : value;
}

std::string format_decimal_2(double value) {
  const double scaled = std::fabs(value) * 100 + 1e-12;
  double whole = std::floor(scaled);
  if (scaled - whole >= 0.5) whole += 1;
  double rounded = whole / 100;
  if (value < 0 && rounded != 0) rounded = -rounded;
  // "%.13g" without the locale: the decimal point is always ".".
  char buffer[32];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, rounded, std::chars_format::general, 13);
  return std::string(buffer, written.ptr);
}

void wait_ms(Window& window, int milliseconds, const bool& stop) {
  // Time is the sum of the slices, not a clock: a slow event handler lengthens the wait.
  for (int waited = 0; waited < milliseconds; waited += 10) {
    if (stop) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    window.process_pending_events();
  }
}
