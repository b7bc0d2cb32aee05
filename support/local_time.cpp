#include "support/local_time.h"

#include <array>

std::string local_time_text(std::time_t time, const char* format) {
  std::tm local{};
  localtime_r(&time, &local);
  std::array<char, 64> text{};
  const size_t length = std::strftime(text.data(), text.size(), format, &local);
  return std::string(text.data(), length);
}
