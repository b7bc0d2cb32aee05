#include "support/profile_text.h"

#include "support/text_search.h"

namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kLineEnd = "\r\n";
constexpr size_t kNone = std::string_view::npos;

std::string_view trim_blanks(std::string_view text) {
  const size_t first = text.find_first_not_of(kBlanks);
  if (first == kNone) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool same_name(std::string_view a, std::string_view b) {
  // With equal sizes a match can only start at offset 0.
  return a.size() == b.size() && (a.empty() || find_ignoring_ascii_case(a, b) == 0);
}

bool on_one_line(std::string_view text) {
  return text.find_first_of(kLineEnd) == kNone;
}

enum class LineKind { blank, comment, section, key, other };

// One line of the text: [begin, content_end) is what it says, [content_end, end)
// its line end (LF, CR LF, a lone CR at the very end, or nothing).
struct Line {
  size_t begin = 0;
  size_t content_end = 0;
  size_t end = 0;
  LineKind kind = LineKind::blank;
  std::string_view name;   // of a section or key, trimmed
  std::string_view value;  // of a key, trimmed
  size_t key_begin = 0;    // where a key's name starts, after the indentation
};

// A section's name: the text after "[" up to the last "]" that is not the second
// byte of a double-byte character, or up to the line end when there is none.
std::string_view section_name(std::string_view after_bracket) {
  size_t close = kNone;
  for (size_t at = find_exact(after_bracket, "]"); at != kNone; at = find_exact(after_bracket, "]", at + 1)) {
    close = at;
  }
  return trim_blanks(after_bracket.substr(0, close));
}

Line line_at(std::string_view text, size_t begin) {
  Line line;
  line.begin = begin;
  const size_t line_feed = text.find('\n', begin);
  line.end = line_feed == kNone ? text.size() : line_feed + 1;
  line.content_end = line_feed == kNone ? text.size() : line_feed;
  if (line.content_end > begin && text[line.content_end - 1] == '\r') --line.content_end;

  const std::string_view content = text.substr(begin, line.content_end - begin);
  const size_t start = content.find_first_not_of(kBlanks);
  if (start == kNone) return line;
  if (content[start] == ';') {
    line.kind = LineKind::comment;
  } else if (content[start] == '[') {
    line.kind = LineKind::section;
    line.name = section_name(content.substr(start + 1));
  } else if (const size_t equals = content.find('=', start); equals != kNone) {
    line.kind = LineKind::key;
    line.name = trim_blanks(content.substr(start, equals - start));
    line.value = trim_blanks(content.substr(equals + 1));
    line.key_begin = begin + start;
  } else {
    line.kind = LineKind::other;
  }
  return line;
}

// Where a key is, or where it would go.
struct Location {
  bool section_found = false;
  std::optional<Line> key_line;
  Line last_filled_line;  // of the section: its last line that is not blank
};

Location locate(std::string_view text, std::string_view section, std::string_view key) {
  section = trim_blanks(section);
  key = trim_blanks(key);
  Location found;
  bool inside = false;
  for (size_t at = 0; at < text.size();) {
    const Line line = line_at(text, at);
    at = line.end;
    if (line.kind == LineKind::section) {
      // Only the first section of that name counts; the key is not in it.
      if (found.section_found) break;
      inside = same_name(line.name, section);
      found.section_found = inside;
      if (inside) found.last_filled_line = line;
      continue;
    }
    if (!inside) continue;
    if (line.kind != LineKind::blank) found.last_filled_line = line;
    if (line.kind == LineKind::key && same_name(line.name, key)) {
      found.key_line = line;
      break;
    }
  }
  return found;
}

std::string_view without_quotes(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// What the last line of `text` still needs so that another line can follow it.
std::string_view line_end_to_complete(std::string_view text) {
  if (text.empty() || text.back() == '\n') return "";
  return text.back() == '\r' ? "\n" : kLineEnd;
}

}  // namespace

std::optional<std::string> find_profile_value(std::string_view text, std::string_view section,
                                              std::string_view key) {
  const Location found = locate(text, section, key);
  if (!found.key_line) return std::nullopt;
  return std::string(without_quotes(found.key_line->value));
}

bool has_profile_section(std::string_view text, std::string_view section) {
  // No key is named empty, so the whole section is looked through.
  return locate(text, section, {}).section_found;
}

bool is_writable_profile_entry(std::string_view section, std::string_view key, std::string_view value) {
  if (!on_one_line(section) || !on_one_line(key) || !on_one_line(value)) return false;
  // Read back the header and the key as they would be written.
  const std::string header = "[" + std::string(section) + "]";
  const std::string entry = std::string(key) + "=";
  const Line header_line = line_at(header, 0);
  const Line entry_line = line_at(entry, 0);
  return header_line.kind == LineKind::section && !header_line.name.empty() &&
         same_name(header_line.name, trim_blanks(section)) && entry_line.kind == LineKind::key &&
         !entry_line.name.empty() && same_name(entry_line.name, trim_blanks(key));
}

ProfileTextEdit profile_value_edit(std::string_view text, std::string_view section, std::string_view key,
                                   std::string_view value) {
  const Location found = locate(text, section, key);
  const std::string entry = std::string(key) + "=" + std::string(value) + std::string(kLineEnd);
  if (found.key_line) {
    // Rewritten in place, indentation kept; the key keeps the spelling the file gave it.
    const Line& line = *found.key_line;
    return {line.begin, line.content_end,
            std::string(text.substr(line.begin, line.key_begin - line.begin)) + std::string(line.name) + "=" +
                std::string(value)};
  }
  if (found.section_found) {
    // A new key follows the section's last line that is not blank, so that blank
    // lines separating it from the next section stay after it.
    const size_t after = found.last_filled_line.end;
    return {after, after, std::string(line_end_to_complete(text.substr(0, after))) + entry};
  }
  return {text.size(), text.size(),
          std::string(line_end_to_complete(text)) + "[" + std::string(section) + "]" + std::string(kLineEnd) +
              entry};
}

std::string with_profile_value(std::string_view text, std::string_view section, std::string_view key,
                               std::string_view value) {
  const ProfileTextEdit edit = profile_value_edit(text, section, key, value);
  std::string result(text);
  result.replace(edit.begin, edit.end - edit.begin, edit.inserted);
  return result;
}
