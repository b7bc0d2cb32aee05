#pragma once

#include <filesystem>
#include <optional>
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

  // Puts `bytes` into the folder as `file_name` and makes the new entry durable,
  // so the source may be deleted afterwards. A different file that holds the name
  // is never replaced: the copy takes the next free name, "x(2).txt", "x(3).txt"
  // and so on; a file there that holds the same bytes already is the copy. Never
  // leaves a partial copy under a final name. A new copy gets `permissions`, its
  // source's, so a private draft stays private. The path of the copy, or nothing
  // when it could not be stored.
  std::optional<std::filesystem::path> store_copy(const std::filesystem::path& file_name,
                                                  std::string_view bytes, unsigned permissions) const;

 private:
  std::filesystem::path path_;
  bool ready_;
};
