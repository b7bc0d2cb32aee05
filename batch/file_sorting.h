#pragma once

#include <filesystem>

#include "batch/batch_counts.h"
#include "support/file_io.h"

class OriginalsFolder;

// What became of a file whose check has ended.
struct SortedFile {
  bool copied = false;           // its copy is in 另存文件夹[原创文章]
  std::filesystem::path copy{};  // where that copy is (a name of its own when the file's was taken)
  bool deleted = false;          // removed from its place
};

// What a batch does with a file whose check has ended: an original is copied
// into `originals`, and with `delete_source` the file is then deleted, but only
// where that loses nothing. Without `originals` (copying is off) nothing is
// copied and nothing deleted, as nothing would keep the file. A file stays when its copy could not be stored,
// when the copy is the file itself (reached through another path or a link), and when it is no longer the
// file that was read (`read`: its bytes and identity then), so a newer text is never lost. Counts the copy
// failures, the copies stored under another name, the files changed during their check and the files that
// could not be deleted.
SortedFile sort_examined_file(const std::filesystem::path& path, const FileSnapshot& read, bool original,
                              bool delete_source, const OriginalsFolder* originals, BatchCounts& counts);
