// Feeds arbitrary file contents to the article loader in every encoding and
// checks what must hold for any input.

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

#include "batch/file_encoding.h"
#include "batch/text_file_loader.h"

namespace {

void require(bool condition) {
  if (!condition) std::abort();
}

std::string byte_swapped(std::string_view bytes) {
  std::string swapped(bytes);
  for (size_t at = 0; at + 1 < swapped.size(); at += 2) std::swap(swapped[at], swapped[at + 1]);
  return swapped;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  const std::string gbk = text_from_file_bytes(bytes, FileEncoding::gbk);
  const std::string utf8 = text_from_file_bytes(bytes, FileEncoding::utf8);
  const std::string utf16le = text_from_file_bytes(bytes, FileEncoding::utf16le);
  const std::string utf16be = text_from_file_bytes(bytes, FileEncoding::utf16be);
  const std::string automatic = text_from_file_bytes(bytes, FileEncoding::automatic);

  // Text ends at its first zero byte, so none may hold one.
  for (const std::string* text : {&gbk, &utf8, &utf16le, &utf16be, &automatic}) {
    require(text->find('\0') == std::string::npos);
  }
  // GBK is taken unchanged, only cut short (and a leading "?" dropped).
  require(bytes.starts_with(gbk) || (bytes.starts_with('?') && bytes.substr(1).starts_with(gbk)));
  // Both byte orders convert alike.
  require(text_from_file_bytes(byte_swapped(bytes), FileEncoding::utf16le) == utf16be);
  // Recognition picks one of the chosen readings, UTF-16 of the whole file (no
  // mark), or a charset the file declares; bytes that are no text give none.
  const bool whole_utf16 =
      automatic == text_from_file_bytes("\xFF\xFE" + std::string(bytes), FileEncoding::utf16le) ||
      automatic == text_from_file_bytes("\xFE\xFF" + std::string(bytes), FileEncoding::utf16be);
  std::string lower(bytes);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const bool declares_charset = lower.find("charset=") != std::string::npos;
  require(automatic.empty() || automatic == gbk || automatic == utf8 || automatic == utf16le ||
          automatic == utf16be || whole_utf16 || declares_charset);
  // A problem means no text.
  const FileText recognised = file_text_from_bytes(bytes, FileEncoding::automatic);
  require(recognised.text == automatic && (!recognised.problem || automatic.empty()));
  return 0;
}
