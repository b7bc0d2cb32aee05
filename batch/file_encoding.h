#pragma once

// The encoding of article files, as the index of the selected item of
// 组合框文件编码.
enum class FileEncoding {
  automatic = 0,  // "自动识别": byte-order mark, then the HTML head's charset
  gbk = 1,        // "ANSI(GBK)"
  utf8 = 2,       // "UTF-8", with or without its byte-order mark
  utf16le = 3,    // "Unicode": the first two bytes are skipped
  utf16be = 4,    // "Unicode be": the first two bytes are skipped
};

// The encoding a combo box selection stands for; nothing selected (-1) and any
// index outside the items read the file as GBK.
FileEncoding file_encoding_from_index(int index);
