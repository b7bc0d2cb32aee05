#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "batch/batch_counts.h"
#include "batch/batch_list.h"
#include "batch/text_file_loader.h"
#include "check/check_context.h"

class OriginalsFolder;

// Larger files are no articles (disk images, videos under a "*" pattern) and are
// not read: they count as unreadable.
inline constexpr size_t kLargestArticleBytes = 64 * 1024 * 1024;

// What the batch did with one file it finished. A file whose check was cut short
// by a stop is not finished and not reported.
struct FileOutcome {
  // undecided: the engine's result pages could not be read, or the file held
  // nothing to search
  enum class Verdict { original, not_original, unreadable, undecided };
  const BatchListRow& row;  // the file's row of the batch's list; row.file is its path
  Verdict verdict;
  bool copied = false;   // stored in 另存文件夹[原创文章]
  bool deleted = false;  // removed from its place
  // Why an unreadable file's bytes are no text; empty when they could not be read at all.
  std::optional<TextProblem> text_problem{};
};

// Milliseconds since some start, wrapping at 32 bits as a tick count does.
using TickClock = std::function<uint32_t()>;

// The batch loop shared by the file and folder batches: every file checked as an
// article without message boxes, the originals copied into 另存文件夹[原创文章]
// beside the first file, the examined files deleted when 选择框删除已检测文件 says
// so, and a summary at the end.
//
// A file is deleted only once its bytes were read and checked and, if it was
// original, its copy is stored for good (see sort_examined_file). A file whose
// bytes cannot be read, that is larger than 64 MB, or whose bytes are no text in
// the chosen or recognised encoding, is left alone and reported; so is an
// original that could not be copied.
class BatchRun {
 public:
  BatchRun(CheckContext& context, TickClock clock);

  // Runs over `paths` (full paths, native bytes) in order, until the end or
  // stop_requested. Returns when the summary box is closed.
  void run_batch(const std::vector<std::filesystem::path>& paths);

  const BatchCounts& counts() const { return counts_; }

  // Runs after every finished file (a program without a window lists them).
  void on_file_finished(std::function<void(const FileOutcome&)> observer) { observer_ = std::move(observer); }
  // The window's batch always sorts the originals out. Without copying, no
  // originals folder is made and no file is deleted, as nothing would keep it.
  void set_copy_originals(bool on) { copy_originals_ = on; }

 private:
  enum class Next { go_on, leave };

  Next examine_file_within_memory(const std::filesystem::path& path, int number, int total,
                                  const OriginalsFolder* originals);
  Next examine_file(const std::filesystem::path& path, int number, int total,
                    const OriginalsFolder* originals);
  void show_position(const std::filesystem::path& path, int number, int total);
  void reset_batch_controls();
  void show_summary();
  // Adds the file's line to the batch's list.
  void list_file(const BatchListRow& row);
  // A file done with: its row listed and the observer told.
  void finish_file(const BatchListRow& row, FileOutcome::Verdict verdict, bool copied = false,
                   bool deleted = false);
  // A file left alone unread: counted, listed with the problem, and the observer told.
  void finish_unreadable(const std::filesystem::path& path, const std::optional<TextProblem>& problem = {});
  void report(const FileOutcome& outcome);
  // Writes the list into the report folder; the line that names it in the summary.
  std::string write_list() const;

  CheckContext& context_;
  TickClock clock_;
  BatchCounts counts_;
  std::string list_;  // the batch's CSV lines so far
  std::function<void(const FileOutcome&)> observer_;
  bool copy_originals_ = true;
};
