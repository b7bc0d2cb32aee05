#include "batch/file_encoding.h"

FileEncoding file_encoding_from_index(int index) {
  if (index < 0 || index > static_cast<int>(FileEncoding::utf16be)) return FileEncoding::gbk;
  return static_cast<FileEncoding>(index);
}
