#include "cli/article_paths.h"

#include <fcntl.h>
#include <unistd.h>

#include <set>

#include "batch/folder_listing.h"
#include "support/window.h"

namespace {

bool can_read_file(const std::filesystem::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

bool can_list_folder(const std::filesystem::path& path) {
  std::error_code error;
  std::filesystem::directory_iterator listing(path, error);
  return !error;
}

std::string quoted(const std::filesystem::path& path) {
  return "'" + path.native() + "'";
}

}  // namespace

std::variant<std::vector<std::filesystem::path>, std::string> article_files(
    Window& window, const std::vector<std::filesystem::path>& paths) {
  std::vector<std::filesystem::path> files;
  // A file named twice, or named and inside a named folder, is one article: checked
  // twice, it would be counted twice, or found gone once it was moved.
  std::set<std::filesystem::path> taken;
  const auto take = [&](const std::filesystem::path& file) {
    if (taken.insert(file).second) files.push_back(file);
  };
  for (const std::filesystem::path& given : paths) {
    std::error_code error;
    const std::filesystem::path path = std::filesystem::absolute(given, error).lexically_normal();
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status)) return "no such file or folder: " + quoted(given);
    if (std::filesystem::is_directory(status)) {
      if (!can_list_folder(path)) return "cannot read folder: " + quoted(given);
      const std::vector<std::filesystem::path> listed =
          list_folder_files(window, path, window.text(Control::编辑框过滤));
      for (const std::filesystem::path& file : listed) take(file);
      continue;
    }
    if (!std::filesystem::is_regular_file(status)) return "not a file or folder: " + quoted(given);
    if (!can_read_file(path)) return "cannot read file: " + quoted(given);
    take(path);
  }
  return files;
}
