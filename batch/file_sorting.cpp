#include "batch/file_sorting.h"

#include <optional>

#include "batch/batch_paths.h"
#include "batch/originals_folder.h"

SortedFile sort_examined_file(const std::filesystem::path& path, const FileSnapshot& read, bool original,
                              bool delete_source, const OriginalsFolder* originals, BatchCounts& counts) {
  if (originals == nullptr) return {};
  std::optional<std::filesystem::path> copy;
  if (original) {
    copy = originals->store_copy(file_name_of(path), read.bytes, read.permissions);
    if (!copy) {
      ++counts.copy_failures;
      return {};
    }
    if (file_name_of(*copy) != file_name_of(path)) ++counts.renamed_copies;
  } else if (!originals->ready()) {
    // Without the output folder nothing can be sorted, so nothing is deleted either.
    return {};
  }
  const SortedFile kept{.copied = copy.has_value(), .copy = copy.value_or(std::filesystem::path())};
  if (!delete_source) return kept;

  // Both looked at now, while both exist: the inode of a source replaced during
  // its check may already be reused by the copy.
  const std::optional<FileIdentity> source = identity_of(path);
  if (!source) return kept;
  // The copy may be the source itself: a picked file inside the originals folder,
  // or an originals folder that links back to the source's folder.
  const std::optional<FileIdentity> copy_identity = copy ? identity_of(*copy) : std::nullopt;
  if (copy && (!copy_identity || copy_identity->same_file_as(*source))) return kept;
  if (*source != read.identity) {
    ++counts.changed_during_check;
    return kept;
  }
  std::error_code error;
  const bool deleted = std::filesystem::remove(path, error);
  if (error) ++counts.delete_failures;
  return {.copied = kept.copied, .copy = kept.copy, .deleted = deleted};
}
