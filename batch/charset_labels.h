#pragma once

#include <string>
#include <string_view>

// How a file whose HTML head declares a charset is read: as web browsers read
// it, for which a page was written.
struct CharsetReading {
  enum class Kind { gbk, utf8, iconv };
  Kind kind;
  std::string iconv_name{};  // for iconv: the character set to read the bytes in
};

// The labels of GBK (gb2312 among them: browsers read such pages as GBK, which
// most of them are) mean the core's GBK, those of UTF-8 UTF-8; Big5, Shift_JIS,
// EUC-KR and Latin-1 stand for the wider sets browsers read them in; any other
// label (lower case, as declared_charset gives it) is a name for iconv.
CharsetReading reading_for_charset(std::string_view label);
