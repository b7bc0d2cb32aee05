#include "support/form_defaults.h"

#include <algorithm>
#include <cstdlib>

namespace {

template <typename Row, size_t N>
const Row& row_of(const std::array<Row, N>& rows, Control control) {
  const auto it = std::ranges::find(rows, control, &Row::control);
  // A control without a default is a mistake in the form, found at its first start.
  if (it == rows.end()) std::abort();
  return *it;
}

}  // namespace

const CheckBoxDefault& check_box_default(Control control) {
  return row_of(kCheckBoxDefaults, control);
}

std::string_view default_text(Control control) {
  return row_of(kTextDefaults, control).text;
}
