#include "batch/batch_paths.h"

#include "support/gbk.h"

// In UTF-8 file names "/" and "." never occur inside a multi-byte character, so
// plain byte searches cannot cut a character in two.

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
  return gbk_from_utf8(name.substr(0, name.rfind('.')));
}
