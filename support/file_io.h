#pragma once

#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

// Whole-file reads and crash-safe whole-file writes. Paths are native bytes.

// Which file a path led to and which version of it: equal identities mean the
// same file, unchanged as far as the file system tells.
struct FileIdentity {
  uint64_t device = 0;
  uint64_t inode = 0;
  int64_t size = 0;
  int64_t modified_seconds = 0;
  int64_t modified_nanoseconds = 0;
  bool operator==(const FileIdentity&) const = default;

  bool same_file_as(const FileIdentity& other) const {
    return device == other.device && inode == other.inode;
  }
};

// The identity of the file at `path` (links followed); nothing when there is none.
std::optional<FileIdentity> identity_of(const std::filesystem::path& path);

// A file's bytes together with the identity of the file they were read from.
struct FileSnapshot {
  std::string bytes;
  FileIdentity identity;
  unsigned permissions = 0;  // read, write and run for owner, group and others
};

// All bytes of a regular file of at most `max_bytes`, opened for reading only
// (read-only files load) and without blocking; nothing when it cannot be opened
// or read, is not a regular file (a folder, a pipe that would wait forever), or
// is larger; errno then says why. The size is looked at before anything is allocated.
std::optional<FileSnapshot> read_file_snapshot(const std::filesystem::path& path,
                                               size_t max_bytes = std::numeric_limits<size_t>::max());

// The bytes of read_file_snapshot, without a limit.
std::optional<std::string> read_whole_file(const std::filesystem::path& path);

// Bytes written and flushed into a new file under a short hidden name in
// `folder`, waiting to be given their final name there. The hidden file is
// removed again unless it was placed.
class StagedFile {
 public:
  // The new file gets exactly `permissions` when given, else those of any new file.
  StagedFile(const std::filesystem::path& folder, std::string_view bytes,
             std::optional<unsigned> permissions = std::nullopt);
  ~StagedFile();
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;

  // False when the bytes could not be written (no access, a full disk).
  bool ready() const { return !hidden_path_.empty(); }

  enum class Placement { placed, name_taken, failed };
  // Gives the file the name `target` in the same folder, in one step that never
  // replaces anything already there: name_taken when a file (or link, or
  // folder) holds that name, even one that appeared a moment ago.
  Placement place_as(const std::filesystem::path& target);

  // Gives the file the name `target`, replacing what is there in one step.
  bool replace(const std::filesystem::path& target);

 private:
  std::filesystem::path hidden_path_;
  bool placed_ = false;
};

// Replaces (or creates) `target` with `bytes` in one step: they are written and
// flushed under a hidden name in the same directory, which is then renamed over
// `target`. A crash or a full disk on the way leaves the old file whole and no
// partial file under the final name. The replacement keeps the old file's
// permissions. False, with nothing changed, on any failure.
bool replace_file_atomically(const std::filesystem::path& target, std::string_view bytes);
