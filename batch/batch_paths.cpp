#include "batch/batch_paths.h"

#include "support/gbk.h"
#include "support/utf8.h"

// Neither in UTF-8 nor in GBK do "/" and "." occur inside a multi-byte
// character, so plain byte searches cannot cut a character in two.

namespace {

// The bytes a file name may have on Linux file systems.
constexpr size_t kLongestFileName = 255;

// The longest start of `text` of at most `limit` bytes that ends between two
// characters: UTF-8 ones when it is UTF-8, else GBK ones.
std::string_view whole_characters_within(std::string_view text, size_t limit) {
  const bool utf8 = is_well_formed_utf8(text);
  size_t end = 0;
  while (end < text.size()) {
    char32_t ignored = 0;
    const size_t length = utf8 ? decode_utf8(text.substr(end), ignored)
                               : (static_cast<unsigned char>(text[end]) >= 0x80 ? 2 : 1);
    if (end + length > limit) break;
    end += length;
  }
  return text.substr(0, end);
}

}  // namespace

std::filesystem::path directory_of(const std::filesystem::path& path) {
  const std::string& bytes = path.native();
  const size_t slash = bytes.rfind('/');
  if (slash == std::string::npos) return {};
  return bytes.substr(0, slash);
}

std::filesystem::path file_name_of(const std::filesystem::path& path) {
  const std::string& bytes = path.native();
  const size_t slash = bytes.rfind('/');
  if (slash == std::string::npos) return path;
  return bytes.substr(slash + 1);
}

std::string title_of(const std::filesystem::path& path) {
  const std::string name = file_name_of(path).native();
  return gbk_from_native(name.substr(0, name.rfind('.')));
}

namespace {

// `native` with each part between "/" converted by `convert(part, is_utf8)`.
template <typename Convert>
std::string converted_by_part(std::string_view native, Convert convert) {
  std::string text;
  for (;;) {
    const size_t slash = native.find('/');
    const std::string_view part = native.substr(0, slash);
    text += convert(part, is_well_formed_utf8(part));
    if (slash == std::string_view::npos) return text;
    text += '/';
    native.remove_prefix(slash + 1);
  }
}

}  // namespace

std::string gbk_from_native(std::string_view native) {
  return converted_by_part(native, [](std::string_view part, bool is_utf8) {
    return is_utf8 ? gbk_from_utf8(part) : std::string(part);
  });
}

std::string utf8_from_native(std::string_view native) {
  return converted_by_part(native, [](std::string_view part, bool is_utf8) {
    return is_utf8 ? std::string(part) : utf8_from_gbk(part);
  });
}

std::filesystem::path numbered_file_name(const std::filesystem::path& file_name, int number) {
  if (number == 1) return file_name;
  const std::string& name = file_name.native();
  // A hidden name such as ".txt" is all stem: "(2)" after it keeps it hidden.
  size_t dot = name.rfind('.');
  if (dot == 0 || dot == std::string::npos) dot = name.size();
  const std::string tail = "(" + std::to_string(number) + ")" + name.substr(dot);
  const size_t room = kLongestFileName > tail.size() ? kLongestFileName - tail.size() : 0;
  return std::string(whole_characters_within(std::string_view(name).substr(0, dot), room)) + tail;
}
