#pragma once

#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <string>

// No file may grow past `bytes` while this lives: writes fail (EFBIG) the way
// they do on a full disk, whoever the test runs as.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes);
  ~FileSizeLimit();
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit previous_{};
  void (*previous_handler_)(int) = nullptr;
};

// How often something was renamed onto `name` in `folder` since this was made:
// each replacement of a file written beside it and renamed over it counts once,
// a write into the file itself not at all.
class RenamesOnto {
 public:
  RenamesOnto(const std::filesystem::path& folder, std::string name);
  ~RenamesOnto();
  RenamesOnto(const RenamesOnto&) = delete;
  RenamesOnto& operator=(const RenamesOnto&) = delete;

  int count();

 private:
  int watch_ = -1;
  std::string name_;
  int count_ = 0;
};
