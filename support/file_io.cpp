#include "support/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <utility>

namespace {

// Closes the descriptor on every way out.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

  int get() const { return fd_; }
  // Closing can report a write error that the writes themselves did not.
  bool close() { return ::close(std::exchange(fd_, -1)) == 0; }

 private:
  int fd_;
};

bool write_all(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno != EINTR) return false;
    if (written > 0) bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

// A new empty file in `folder` under a hidden name that no other file has; -1
// when it cannot be created. The name is short whatever the final name will be,
// so a final name near the length limit still fits.
int create_hidden_file(const std::filesystem::path& folder, std::filesystem::path& created) {
  static unsigned serial = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    created = folder / (".partial-" + std::to_string(::getpid()) + "-" + std::to_string(++serial));
    const int fd = ::open(created.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

FileIdentity identity_from(const struct stat& status) {
  return {.device = status.st_dev,
          .inode = status.st_ino,
          .size = status.st_size,
          .modified_seconds = status.st_mtim.tv_sec,
          .modified_nanoseconds = status.st_mtim.tv_nsec};
}

}  // namespace

std::optional<FileIdentity> identity_of(const std::filesystem::path& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return std::nullopt;
  return identity_from(status);
}

std::optional<FileSnapshot> read_file_snapshot(const std::filesystem::path& path, size_t max_bytes) {
  const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (file.get() < 0) return std::nullopt;
  struct stat status {};
  if (::fstat(file.get(), &status) != 0) return std::nullopt;
  if (!S_ISREG(status.st_mode)) {
    // Said so that a caller can tell the user why.
    errno = S_ISDIR(status.st_mode) ? EISDIR : EINVAL;
    return std::nullopt;
  }
  if (static_cast<uint64_t>(status.st_size) > max_bytes) {
    errno = EFBIG;
    return std::nullopt;
  }

  FileSnapshot snapshot{
      .bytes = {}, .identity = identity_from(status), .permissions = status.st_mode & 0777u};
  snapshot.bytes.reserve(static_cast<size_t>(status.st_size));
  char buffer[65536];
  for (;;) {
    const ssize_t count = ::read(file.get(), buffer, sizeof buffer);
    if (count == 0) return snapshot;
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return std::nullopt;
    // A file that grows while it is read must not outgrow the limit either.
    if (static_cast<size_t>(count) > max_bytes - snapshot.bytes.size()) return std::nullopt;
    snapshot.bytes.append(buffer, static_cast<size_t>(count));
  }
}

std::optional<std::string> read_whole_file(const std::filesystem::path& path) {
  std::optional<FileSnapshot> snapshot = read_file_snapshot(path);
  if (!snapshot) return std::nullopt;
  return std::move(snapshot->bytes);
}

StagedFile::StagedFile(const std::filesystem::path& folder, std::string_view bytes,
                       std::optional<unsigned> permissions) {
  std::filesystem::path hidden;
  FileDescriptor file(create_hidden_file(folder, hidden));
  if (file.get() < 0) return;
  if (permissions) (void)::fchmod(file.get(), *permissions & 07777);
  const bool written = write_all(file.get(), bytes) && ::fsync(file.get()) == 0;
  if (file.close() && written) {
    hidden_path_ = std::move(hidden);
    return;
  }
  ::unlink(hidden.c_str());
}

StagedFile::~StagedFile() {
  if (ready() && !placed_) ::unlink(hidden_path_.c_str());
}

StagedFile::Placement StagedFile::place_as(const std::filesystem::path& target) {
  if (!ready() || placed_) return Placement::failed;
  if (::renameat2(AT_FDCWD, hidden_path_.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) {
    placed_ = true;
    return Placement::placed;
  }
  if (errno == EEXIST) return Placement::name_taken;
  // File systems that cannot rename without replacing can still make a second
  // link, which never replaces either, and drop the hidden one.
  if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return Placement::failed;
  if (::link(hidden_path_.c_str(), target.c_str()) != 0) {
    return errno == EEXIST ? Placement::name_taken : Placement::failed;
  }
  placed_ = true;
  ::unlink(hidden_path_.c_str());
  return Placement::placed;
}

bool StagedFile::replace(const std::filesystem::path& target) {
  if (!ready() || placed_) return false;
  placed_ = ::rename(hidden_path_.c_str(), target.c_str()) == 0;
  return placed_;
}

bool replace_file_atomically(const std::filesystem::path& target, std::string_view bytes) {
  struct stat old_file {};
  std::optional<unsigned> permissions;
  if (::stat(target.c_str(), &old_file) == 0) permissions = old_file.st_mode;
  StagedFile staged(target.parent_path(), bytes, permissions);
  return staged.replace(target);
}
