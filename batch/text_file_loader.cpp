#include "batch/text_file_loader.h"

#include <algorithm>

#include "support/file_io.h"
#include "support/text_conversions.h"
#include "support/text_markers.h"
#include "support/utf8.h"

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

// The bytes to convert and how: the file's bytes after whatever mark or prefix
// the encoding skips.
struct Content {
  FileEncoding encoding;
  std::string_view bytes;
};

// GBK bytes read as text, the way a text-mode read sees them: it ends at a zero
// byte, at an end-of-file mark 0x1A that is not the second byte of a
// character, and before a lead byte that has no second byte.
std::string gbk_text_from_bytes(std::string_view bytes) {
  size_t end = 0;
  while (end < bytes.size()) {
    const auto byte = static_cast<unsigned char>(bytes[end]);
    if (byte == 0x00 || byte == 0x1A) break;
    if (byte < 0x80) {
      ++end;
      continue;
    }
    if (end + 1 == bytes.size() || bytes[end + 1] == '\0') break;
    end += 2;
  }
  return std::string(bytes.substr(0, end));
}

// A byte-order mark decides; without one a UTF-8 charset declared in the HTML
// head (searched in the file read as GBK), or bytes that are UTF-8, make the
// file UTF-8, else it is GBK. Editors today save UTF-8 without a mark: read as
// GBK, such an article would be searched as garbled text no engine holds, and
// pass for original.
Content recognise(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Mark)) return {FileEncoding::utf8, bytes.substr(kUtf8Mark.size())};
  if (bytes.starts_with(kUtf16LeMark)) return {FileEncoding::utf16le, bytes.substr(kUtf16LeMark.size())};
  if (bytes.starts_with(kUtf16BeMark)) return {FileEncoding::utf16be, bytes.substr(kUtf16BeMark.size())};
  const std::string head = text_between(gbk_text_from_bytes(bytes), "<head>", "</head>");
  const bool utf8 = has_utf8_charset(head) || is_utf8_beyond_ascii(bytes);
  return {utf8 ? FileEncoding::utf8 : FileEncoding::gbk, bytes};
}

Content content_by_choice(std::string_view bytes, FileEncoding encoding) {
  switch (encoding) {
    case FileEncoding::automatic:
      return recognise(bytes);
    case FileEncoding::utf8:
      return {encoding, bytes.starts_with(kUtf8Mark) ? bytes.substr(kUtf8Mark.size()) : bytes};
    case FileEncoding::utf16le:
    case FileEncoding::utf16be:
      // The first unit is taken for a byte-order mark without a look at it.
      return {encoding, bytes.substr(std::min<size_t>(2, bytes.size()))};
    case FileEncoding::gbk:
      break;
  }
  return {FileEncoding::gbk, bytes};
}

std::string convert(const Content& content) {
  switch (content.encoding) {
    case FileEncoding::utf8:
      return utf8_to_ansi(content.bytes);
    case FileEncoding::utf16le:
      return utf16le_to_ansi(content.bytes);
    case FileEncoding::utf16be:
      return utf16be_to_ansi(content.bytes);
    case FileEncoding::automatic:
    case FileEncoding::gbk:
      break;
  }
  return gbk_text_from_bytes(content.bytes);
}

}  // namespace

std::string text_from_file_bytes(std::string_view bytes, FileEncoding encoding) {
  return strip_leading_question_mark(convert(content_by_choice(bytes, encoding)));
}

std::optional<std::string> read_text_file(const std::filesystem::path& path, FileEncoding encoding) {
  const std::optional<std::string> bytes = read_whole_file(path);
  if (!bytes) return std::nullopt;
  return text_from_file_bytes(*bytes, encoding);
}

std::string load_text_file(const std::filesystem::path& path, FileEncoding encoding) {
  return read_text_file(path, encoding).value_or(std::string());
}
