#include "batch/duration_text.h"

#include <string_view>

#include "support/gbk.h"
#include "support/text_helpers.h"

namespace {

// Below the limit by more than the tolerance: 999.99999999 ms is not yet a second.
bool below(double value, double limit) {
  return value - limit < -0.0000001;
}

struct Unit {
  double per_next;  // how many of this unit make the next one
  std::string_view name;
};

constexpr Unit kUnits[] = {{1000, "毫秒"}, {60, "秒"}, {60, "分"}, {24, "时"}, {30, "天"}, {12, "月"}};

std::string with_unit(double value, std::string_view unit_name) {
  return format_decimal_2(value) + " " + gbk(unit_name);
}

}  // namespace

std::string format_duration(int64_t milliseconds) {
  double value = static_cast<double>(milliseconds);
  for (const Unit& unit : kUnits) {
    if (below(value, unit.per_next)) return with_unit(value, unit.name);
    value /= unit.per_next;
  }
  return with_unit(value, "年");
}
