#pragma once

#include <filesystem>
#include <string_view>

// The folder beside a batch's first file that receives the copies of the files
// judged original.
class OriginalsFolder {
 public:
  // Makes 另存文件夹[原创文章] in the folder of `first_file` (a full path), or
  // finds it there.
  explicit OriginalsFolder(const std::filesystem::path& first_file);

  const std::filesystem::path& path() const { return path_; }
  // False when the folder could not be made (a plain file of that name is in
  // the way, no permission): no copy can land, and the batch deletes nothing.
  bool ready() const { return ready_; }

  // Puts `bytes` into the folder as `file_name`, replacing a file of that name,
  // and makes the new entry durable, so the source may be deleted afterwards.
  // Never leaves a partial copy under the final name. False when anything fails.
  bool store_copy(const std::filesystem::path& file_name, std::string_view bytes) const;

 private:
  std::filesystem::path path_;
  bool ready_;
};
