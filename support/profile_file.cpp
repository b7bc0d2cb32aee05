#include "support/profile_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <optional>
#include <string>
#include <utility>

#include "support/profile_text.h"

namespace {

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

// The whole file; a missing file reads as empty. nullopt when a file that exists
// cannot be read, so that a save does not replace settings it could not see.
std::optional<std::string> read_file_or_empty(const std::filesystem::path& path) {
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.get() < 0) return errno == ENOENT ? std::optional<std::string>(std::in_place) : std::nullopt;
  std::string bytes;
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
    if (got == 0) return bytes;
    if (got > 0) {
      bytes.append(buffer, static_cast<size_t>(got));
    } else if (errno != EINTR) {
      return std::nullopt;
    }
  }
}

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

// Replaces `target` by `bytes` in one step: they are written and flushed under
// another name in the same directory, which is then renamed over `target`. A
// crash or a full disk on the way leaves the old file whole.
bool replace_file(const std::filesystem::path& target, std::string_view bytes) {
  std::filesystem::path temporary;
  FileDescriptor file(create_file_beside(target, temporary));
  if (file.get() < 0) return false;
  struct stat old_file {};
  // The replacement keeps the old file's permissions.
  if (::stat(target.c_str(), &old_file) == 0) (void)::fchmod(file.get(), old_file.st_mode & 07777);
  const bool written = write_all(file.get(), bytes) && ::fsync(file.get()) == 0;
  if (file.close() && written && ::rename(temporary.c_str(), target.c_str()) == 0) return true;
  ::unlink(temporary.c_str());
  return false;
}

std::string_view skip_leading_controls(std::string_view text) {
  size_t at = 0;
  while (at < text.size() && static_cast<unsigned char>(text[at]) <= 32) ++at;
  return text.substr(at);
}

// At most the limit's worth of bytes, never ending on the first byte of a
// double-byte character.
std::string cut_to_limit(std::string_view value) {
  size_t end = 0;
  while (end < value.size()) {
    const size_t next =
        static_cast<unsigned char>(value[end]) >= 0x80 && end + 1 < value.size() ? end + 2 : end + 1;
    if (next > kProfileValueLimit) break;
    end = next;
  }
  return std::string(value.substr(0, end));
}

}  // namespace

std::string read_profile_string(const std::filesystem::path& file, std::string_view section,
                                std::string_view key, std::string_view default_value) {
  section = skip_leading_controls(section);
  key = skip_leading_controls(key);
  if (skip_leading_controls(file.native()).empty() || section.empty() || key.empty()) return {};
  const std::optional<std::string> text = read_file_or_empty(file);
  const std::optional<std::string> value = text ? find_profile_value(*text, section, key) : std::nullopt;
  return cut_to_limit(value ? *value : default_value);
}

bool write_profile_string(const std::filesystem::path& file, std::string_view section, std::string_view key,
                          std::string_view value) {
  if (file.empty() || !is_writable_profile_entry(section, key, value)) return false;
  const std::optional<std::string> old_text = read_file_or_empty(file);
  if (!old_text) return false;
  const std::string new_text = with_profile_value(*old_text, section, key, value);
  if (new_text == *old_text) return true;  // already stored
  // A file the user made read-only stays as it is, as Windows would leave it.
  if (::access(file.c_str(), W_OK) != 0 && errno != ENOENT) return false;
  return replace_file(file, new_text);
}
