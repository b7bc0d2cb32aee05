#include "support/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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

// A new empty file in the directory of `target`, under a hidden name that no
// other file has; -1 when it cannot be created.
int create_file_beside(const std::filesystem::path& target, std::filesystem::path& created) {
  static unsigned serial = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    created = target.parent_path() / ("." + target.filename().string() + "." + std::to_string(::getpid()) +
                                      "." + std::to_string(++serial) + ".tmp");
    const int fd = ::open(created.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

}  // namespace

std::optional<std::string> read_whole_file(const std::filesystem::path& path) {
  const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (file.get() < 0) return std::nullopt;
  struct stat status {};
  if (::fstat(file.get(), &status) != 0) return std::nullopt;
  if (!S_ISREG(status.st_mode)) {
    // Said so that a caller can tell the user why.
    errno = S_ISDIR(status.st_mode) ? EISDIR : EINVAL;
    return std::nullopt;
  }

  std::string bytes;
  bytes.reserve(static_cast<size_t>(status.st_size));
  char buffer[65536];
  for (;;) {
    const ssize_t count = ::read(file.get(), buffer, sizeof buffer);
    if (count == 0) return bytes;
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return std::nullopt;
    bytes.append(buffer, static_cast<size_t>(count));
  }
}

bool replace_file_atomically(const std::filesystem::path& target, std::string_view bytes) {
  std::filesystem::path temporary;
  FileDescriptor file(create_file_beside(target, temporary));
  if (file.get() < 0) return false;
  struct stat old_file {};
  if (::stat(target.c_str(), &old_file) == 0) (void)::fchmod(file.get(), old_file.st_mode & 07777);
  const bool written = write_all(file.get(), bytes) && ::fsync(file.get()) == 0;
  if (file.close() && written && ::rename(temporary.c_str(), target.c_str()) == 0) return true;
  ::unlink(temporary.c_str());
  return false;
}
