#include "batch/text_file_loader.h"

#include <algorithm>

#include "batch/charset_labels.h"
#include "batch/utf16_without_mark.h"
#include "support/charset_conversion.h"
#include "support/code_points.h"
#include "support/file_io.h"
#include "support/gbk.h"
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
  // Set when the bytes are read through iconv: its name for their character
  // set, and the label the file declared.
  std::string iconv_name{};
  std::string label{};
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

// Control characters are no text, except tabs, line and page breaks and the
// end-of-file mark. UTF-16 read as GBK has zero bytes in its ASCII characters
// and, in Chinese, low bytes below 0x20 standing alone. (No second byte of a GBK
// character is below 0x40 or 0x7F.)
bool is_gbk_text(std::string_view bytes) {
  const bool controls = std::ranges::any_of(bytes, [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte < 0x20 && (byte < 0x09 || byte > 0x0D) && byte != 0x1A) || byte == 0x7F;
  });
  return !controls && is_well_formed_gbk(bytes);
}

Content content_in_declared_charset(std::string_view bytes, const std::string& label) {
  const CharsetReading reading = reading_for_charset(label);
  switch (reading.kind) {
    case CharsetReading::Kind::gbk:
      return {FileEncoding::gbk, bytes};
    case CharsetReading::Kind::utf8:
      return {FileEncoding::utf8, bytes};
    case CharsetReading::Kind::iconv:
      break;
  }
  return {FileEncoding::automatic, bytes, reading.iconv_name, label};
}

// A byte-order mark decides; without one a UTF-8 charset declared in the HTML
// head (searched in the file read as GBK), or bytes that are UTF-8, make the
// file UTF-8: editors today save UTF-8 without a mark. Then another charset
// declared there, then GBK; bytes that are no GBK may be UTF-16 without a mark.
Content recognise(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Mark)) return {FileEncoding::utf8, bytes.substr(kUtf8Mark.size())};
  if (bytes.starts_with(kUtf16LeMark)) return {FileEncoding::utf16le, bytes.substr(kUtf16LeMark.size())};
  if (bytes.starts_with(kUtf16BeMark)) return {FileEncoding::utf16be, bytes.substr(kUtf16BeMark.size())};
  const std::string head = text_between(gbk_text_from_bytes(bytes), "<head>", "</head>");
  if (has_utf8_charset(head) || is_utf8_beyond_ascii(bytes)) return {FileEncoding::utf8, bytes};
  if (const std::string label = declared_charset(head); !label.empty())
    return content_in_declared_charset(bytes, label);
  if (is_gbk_text(bytes)) return {FileEncoding::gbk, bytes};
  return {utf16_byte_order(bytes).value_or(FileEncoding::gbk), bytes};
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

FileText not_valid(std::string encoding) {
  return {{}, TextProblem{TextProblem::Kind::not_valid, std::move(encoding)}};
}

FileText convert_through_iconv(const Content& content) {
  if (!is_known_charset(content.iconv_name))
    return {{}, TextProblem{TextProblem::Kind::unknown_charset, content.label}};
  const std::optional<std::string> utf8 = utf8_from_charset(content.bytes, content.iconv_name);
  if (!utf8) return not_valid(content.label);
  return {utf8_to_ansi(*utf8)};
}

FileText convert(const Content& content) {
  if (!content.iconv_name.empty()) return convert_through_iconv(content);
  switch (content.encoding) {
    case FileEncoding::utf8:
      if (!is_well_formed_utf8(content.bytes)) return not_valid("UTF-8");
      return {utf8_to_ansi(content.bytes)};
    case FileEncoding::utf16le:
      if (!is_well_formed_utf16le(content.bytes)) return not_valid("UTF-16LE");
      return {utf16le_to_ansi(content.bytes)};
    case FileEncoding::utf16be:
      if (content.bytes.size() % 2 != 0 || !is_well_formed_utf16le(byte_swapped_units(content.bytes)))
        return not_valid("UTF-16BE");
      return {utf16be_to_ansi(content.bytes)};
    case FileEncoding::automatic:
    case FileEncoding::gbk:
      break;
  }
  if (!is_gbk_text(content.bytes)) return not_valid("GBK");
  return {gbk_text_from_bytes(content.bytes)};
}

}  // namespace

std::string text_problem_words(const TextProblem& problem) {
  if (problem.kind == TextProblem::Kind::unknown_charset)
    return "文件声明的字符集 " + problem.encoding + " 无法识别";
  return "文件不是有效的 " + problem.encoding + " 文本";
}

FileText file_text_from_bytes(std::string_view bytes, FileEncoding encoding) {
  FileText text = convert(content_by_choice(bytes, encoding));
  text.text = strip_leading_question_mark(text.text);
  return text;
}

std::string text_from_file_bytes(std::string_view bytes, FileEncoding encoding) {
  return file_text_from_bytes(bytes, encoding).text;
}

std::optional<std::string> read_text_file(const std::filesystem::path& path, FileEncoding encoding) {
  const std::optional<std::string> bytes = read_whole_file(path);
  if (!bytes) return std::nullopt;
  return text_from_file_bytes(*bytes, encoding);
}

std::string load_text_file(const std::filesystem::path& path, FileEncoding encoding) {
  return read_text_file(path, encoding).value_or(std::string());
}
