#include "batch/originals_folder.h"

#include <fcntl.h>
#include <unistd.h>

#include "batch/batch_paths.h"
#include "support/file_io.h"

namespace {

constexpr std::string_view kFolderName = "另存文件夹[原创文章]";
// Past this many files of one name something else is wrong; the copy fails.
constexpr int kMostFilesOfOneName = 9999;

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

bool holds_bytes(const std::filesystem::path& path, std::string_view bytes) {
  const std::optional<FileSnapshot> file = read_file_snapshot(path, bytes.size());
  return file && file->bytes == bytes;
}

}  // namespace

OriginalsFolder::OriginalsFolder(const std::filesystem::path& first_file)
    : path_(directory_of(first_file).native() + "/" + std::string(kFolderName)), ready_(make_folder(path_)) {}

std::optional<std::filesystem::path> OriginalsFolder::store_copy(const std::filesystem::path& file_name,
                                                                 std::string_view bytes,
                                                                 unsigned permissions) const {
  if (!ready_) return std::nullopt;
  // Written once, then offered each free name in turn; placing it never
  // replaces, so a name taken a moment ago by another run is safe too.
  std::optional<StagedFile> staged;
  for (int number = 1; number <= kMostFilesOfOneName; ++number) {
    const std::filesystem::path candidate = path_ / numbered_file_name(file_name, number);
    if (holds_bytes(candidate, bytes)) return candidate;
    if (!staged) staged.emplace(path_, bytes, permissions);
    switch (staged->place_as(candidate)) {
      case StagedFile::Placement::placed:
        if (!flush_folder(path_)) return std::nullopt;
        return candidate;
      case StagedFile::Placement::name_taken:
        continue;
      case StagedFile::Placement::failed:
        return std::nullopt;
    }
  }
  return std::nullopt;
}
