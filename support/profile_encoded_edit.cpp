#include "support/profile_encoded_edit.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "support/profile_text.h"

namespace {

// The file's lines as GBK text, with the place in the file of every line start
// and every end of a line's content: the places where an edit of the text begins
// and ends (profile_text.h).
struct LineMap {
  std::string text;
  std::vector<std::pair<size_t, size_t>> places;  // (in the text, in the file), both ascending

  size_t file_place(size_t text_place) const {
    const auto at = std::lower_bound(places.begin(), places.end(), std::make_pair(text_place, size_t{0}));
    return at == places.end() ? places.back().second : at->second;
  }
};

// Cut the way the text is cut: a line ends after LF; a CR before it, or a CR that
// ends the file, belongs to the line end. A code unit never spans two lines, so
// every line converts on its own to what it is within the whole text.
LineMap line_map(std::string_view bytes, ProfileEncoding encoding) {
  const std::string line_feed = profile_piece("\n", encoding);
  const std::string carriage_return = profile_piece("\r", encoding);
  const size_t unit = line_feed.size();
  size_t at = profile_mark(encoding).size();
  // An odd last byte of UTF-16 is no character: it stays after the lines.
  const size_t lines_end = at + (bytes.size() - at) / unit * unit;
  const auto unit_is = [&](size_t place, const std::string& expected) {
    return bytes.compare(place, unit, expected) == 0;
  };

  LineMap map;
  map.places.emplace_back(0, at);
  while (at < lines_end) {
    size_t end = at;
    while (end < lines_end && !unit_is(end, line_feed)) end += unit;
    size_t content_end = end;
    if (end < lines_end) end += unit;
    if (content_end > at && unit_is(content_end - unit, carriage_return)) content_end -= unit;
    map.text += gbk_from_profile_piece(bytes.substr(at, content_end - at), encoding);
    map.places.emplace_back(map.text.size(), content_end);
    map.text += gbk_from_profile_piece(bytes.substr(content_end, end - content_end), encoding);
    map.places.emplace_back(map.text.size(), end);
    at = end;
  }
  return map;
}

}  // namespace

std::string with_encoded_profile_value(std::string_view bytes, ProfileEncoding encoding,
                                       std::string_view section, std::string_view key, std::string_view value) {
  const LineMap map = line_map(bytes, encoding);
  const ProfileTextEdit edit = profile_value_edit(map.text, section, key, value);
  const size_t begin = map.file_place(edit.begin);
  const size_t end = map.file_place(edit.end);
  std::string result(bytes);
  result.replace(begin, end - begin, profile_piece(edit.inserted, encoding));
  return result;
}
