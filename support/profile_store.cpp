#include "support/profile_store.h"

#include <charconv>
#include <utility>

#include "support/gbk.h"
#include "support/profile_file.h"
#include "support/profile_text.h"
#include "support/text_helpers.h"
#include "support/text_search.h"

namespace {

const std::string& line_break_marker() {
  static const std::string marker = gbk("┊*┊");
  return marker;
}

const std::string& word_for(bool value) {
  static const std::string yes = gbk("真");
  static const std::string no = gbk("假");
  return value ? yes : no;
}

// CR and LF never occur inside a GBK character, so bytes can be compared alone.
std::string encode_text(std::string_view text) {
  std::string encoded;
  encoded.reserve(text.size());
  for (size_t at = 0; at < text.size(); ++at) {
    if (text[at] != '\r' && text[at] != '\n') {
      encoded += text[at];
      continue;
    }
    // A CR LF pair is one break; so is a lone CR or LF.
    if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n') ++at;
    encoded += line_break_marker();
  }
  return encoded;
}

std::string decode_text(std::string_view stored) {
  return replace_all_exact(stored, line_break_marker(), "\r\n");
}

// As "%.13g" writes it, but with "." whatever the C locale says.
std::string format_number(double value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 13);
  return std::string(buffer, result.ptr);
}

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// The leading decimal number after leading blanks; 0 when there is none or it is
// out of range. An exponent is taken too, so that every number format_number
// writes (1e-05 among them) reads back as itself.
double parse_number(std::string_view stored) {
  const std::string text = to_half_width(stored);
  size_t at = text.find_first_not_of(" \t\n\v\f\r");
  if (at == std::string::npos) return 0;
  const bool negative = text[at] == '-';
  if (text[at] == '-' || text[at] == '+') ++at;
  // from_chars would also take "inf" and "nan", which are no decimal numbers.
  if (at == text.size() || !(is_digit(text[at]) || text[at] == '.')) return 0;
  double value = 0;
  if (std::from_chars(text.data() + at, text.data() + text.size(), value).ec != std::errc()) return 0;
  return negative ? -value : value;
}

}  // namespace

void ProfileStore::open_profile(std::filesystem::path file_path, std::string_view section_name) {
  file_path_ = std::move(file_path);
  if (!section_name.empty()) set_section(section_name);
}

void ProfileStore::set_section(std::string_view section_name) {
  section_name_ = section_name;
}

std::string ProfileStore::read_stored(std::string_view key, std::string_view stored_default) const {
  return read_profile_string(file_path_, section_name_, key, stored_default);
}

void ProfileStore::hold_writes() {
  held_writes_.emplace();
}

ProfileWrite ProfileStore::commit_writes() {
  if (!held_writes_) return {};
  const std::vector<ProfileEntry> writes = std::move(*held_writes_);
  held_writes_.reset();
  return write_profile_strings(file_path_, writes);
}

ProfileWrite ProfileStore::write_stored(std::string_view key, std::string_view stored) {
  if (!held_writes_) return write_profile_string(file_path_, section_name_, key, stored);
  // Refused now, so that one unwritable value does not stop the others.
  if (!is_writable_profile_entry(section_name_, key, stored))
    return {std::make_error_code(std::errc::invalid_argument)};
  held_writes_->push_back({section_name_, std::string(key), std::string(stored)});
  return {};
}

ProfileWrite ProfileStore::write_text(std::string_view key, std::string_view text) {
  return write_stored(key, encode_text(text));
}

std::string ProfileStore::read_text(std::string_view key, std::string_view default_text) const {
  return decode_text(read_stored(key, encode_text(default_text)));
}

ProfileWrite ProfileStore::write_number(std::string_view key, double value) {
  return write_stored(key, format_number(value));
}

double ProfileStore::read_number(std::string_view key, double default_value) const {
  return parse_number(read_stored(key, format_number(default_value)));
}

ProfileWrite ProfileStore::write_bool(std::string_view key, bool value) {
  return write_stored(key, word_for(value));
}

bool ProfileStore::read_bool(std::string_view key, bool default_value) const {
  return read_stored(key, word_for(default_value)) == word_for(true);
}

bool ProfileStore::read_bool_lenient(std::string_view key, bool default_value) const {
  return read_stored(key, word_for(default_value)) != word_for(false);
}

ProfileWrite ProfileStore::save_check_box(const Window& window, Control check_box) {
  return write_bool(window.caption(check_box), window.checked(check_box));
}

bool ProfileStore::load_check_box(Window& window, Control check_box) const {
  const bool on = read_bool(window.caption(check_box), window.checked(check_box));
  window.set_checked(check_box, on);
  return on;
}

// A radio button keeps its state the way a check box does.
ProfileWrite ProfileStore::save_radio(const Window& window, Control radio) {
  return save_check_box(window, radio);
}

bool ProfileStore::load_radio(Window& window, Control radio) const {
  return load_check_box(window, radio);
}
