#include "batch/originals_folder.h"

#include <fcntl.h>
#include <unistd.h>

#include "batch/batch_paths.h"
#include "support/file_io.h"

namespace {

constexpr std::string_view kFolderName = "另存文件夹[原创文章]";

bool make_folder(const std::filesystem::path& folder) {
  std::error_code error;
  std::filesystem::create_directory(folder, error);
  return std::filesystem::is_directory(folder, error);
}

// The rename that put a copy in place is only on disk once its folder is flushed;
// before that, a crash could lose the copy after the source was deleted.
bool flush_folder(const std::filesystem::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool flushed = ::fsync(fd) == 0;
  ::close(fd);
  return flushed;
}

}  // namespace

OriginalsFolder::OriginalsFolder(const std::filesystem::path& first_file)
    : path_(directory_of(first_file).native() + "/" + std::string(kFolderName)), ready_(make_folder(path_)) {}

bool OriginalsFolder::store_copy(const std::filesystem::path& file_name, std::string_view bytes) const {
  return ready_ && replace_file_atomically(path_ / file_name, bytes) && flush_folder(path_);
}
