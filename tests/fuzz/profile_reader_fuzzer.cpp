// The profile reader and editor over arbitrary file bytes. Properties checked:
// - reading never fails and a value never spans lines;
// - a value without line breaks, surrounding blanks or surrounding quotes that
//   is written reads back as written, and every other key reads as before.

#include <fuzzer/FuzzedDataProvider.h>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "support/gbk.h"
#include "support/profile_text.h"
#include "support/text_search.h"

namespace {

using Names = std::pair<std::string, std::string>;

const std::vector<Names>& fixed_names() {
  static const std::vector<Names> names = {
      {gbk("基本配置"), gbk("内容")},
      {gbk("基本配置"), gbk("忽略      位以上数字")},
      {"s", "k"},
      {"S", "K"},
      {" s ", "a"},
      {"t", "k"},
      {gbk("癩"), gbk("癩")},
  };
  return names;
}

void require(bool condition) {
  if (!condition) std::abort();
}

std::string_view trim_blanks(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool same_name(std::string_view a, std::string_view b) {
  a = trim_blanks(a);
  b = trim_blanks(b);
  return a.size() == b.size() && (a.empty() || find_ignoring_ascii_case(a, b) == 0);
}

// A value the reader gives back exactly as it was written.
bool reads_back_verbatim(std::string_view value) {
  if (trim_blanks(value) != value) return false;
  const bool quoted =
      value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
  return !quoted;
}

void check_round_trip(const std::string& text, const Names& target, const std::string& value) {
  const auto& [section, key] = target;
  if (!is_writable_profile_entry(section, key, value) || !reads_back_verbatim(value)) return;
  const std::string edited = with_profile_value(text, section, key, value);
  require(find_profile_value(edited, section, key) == value);
  for (const auto& [other_section, other_key] : fixed_names()) {
    if (same_name(other_section, section) && same_name(other_key, key)) continue;
    require(find_profile_value(edited, other_section, other_key) ==
            find_profile_value(text, other_section, other_key));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const Names fuzzed = {input.ConsumeRandomLengthString(16), input.ConsumeRandomLengthString(16)};
  const size_t fixed_choice = input.ConsumeIntegralInRange<size_t>(0, fixed_names().size() - 1);
  const std::string value = input.ConsumeRandomLengthString(64);
  const std::string text = input.ConsumeRemainingBytesAsString();

  for (const Names& names : fixed_names()) {
    const auto found = find_profile_value(text, names.first, names.second);
    require(!found || found->find('\n') == std::string::npos);
  }
  const auto found = find_profile_value(text, fuzzed.first, fuzzed.second);
  require(!found || found->find('\n') == std::string::npos);

  check_round_trip(text, fuzzed, value);
  check_round_trip(text, fixed_names()[fixed_choice], value);
  return 0;
}
