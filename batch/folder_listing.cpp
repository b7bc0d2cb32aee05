#include "batch/folder_listing.h"

#include <algorithm>

#include "batch/name_pattern.h"
#include "support/gbk.h"
#include "support/window.h"

std::vector<std::filesystem::path> list_folder_files(Window& window, const std::filesystem::path& folder,
                                                     std::string_view pattern) {
  const NamePattern name_pattern(pattern.empty() ? "*.*" : utf8_from_gbk(pattern));
  std::vector<std::filesystem::path> files;
  std::error_code error;
  for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
       entry.increment(error)) {
    // A link to a folder is a folder; a broken link is taken, and the batch finds it unreadable.
    std::error_code type_error;
    if (!entry->is_directory(type_error) && name_pattern.matches(entry->path().filename().native())) {
      // "/" / "a.txt" is "/a.txt": a root folder gives no doubled separator.
      files.push_back(folder / entry->path().filename());
    }
    window.process_pending_events();
  }
  // The directory's own order means nothing to the user; the batch goes by name.
  std::sort(files.begin(), files.end());
  return files;
}
