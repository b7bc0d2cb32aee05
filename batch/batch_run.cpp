#include "batch/batch_run.h"

#include <ctime>
#include <new>
#include <optional>
#include <string>

#include "batch/batch_paths.h"
#include "batch/batch_summary.h"
#include "batch/file_encoding.h"
#include "batch/file_sorting.h"
#include "batch/originals_folder.h"
#include "batch/text_file_loader.h"
#include "check/article_check.h"
#include "check/report_folder.h"
#include "check/text_expressions.h"
#include "check/verdict_confidence.h"
#include "support/file_io.h"
#include "support/gbk.h"
#include "support/window.h"

BatchRun::BatchRun(CheckContext& context, TickClock clock) : context_(context), clock_(std::move(clock)) {}

void BatchRun::run_batch(const std::vector<std::filesystem::path>& paths) {
  Window& window = context_.window;
  counts_ = {.start_ticks = clock_()};
  list_.clear();
  window.set_visible(Control::进度条数量, true);
  if (window.checked(Control::选择框浏览器模式检测)) window.set_visible(Control::浏览器, true);
  build_cleaning_expression(window, context_.expressions);

  if (!paths.empty()) {
    const int total = static_cast<int>(paths.size());
    window.set_progress_maximum(Control::进度条数量, total);
    std::optional<OriginalsFolder> originals;
    if (copy_originals_) originals.emplace(paths.front());
    const OriginalsFolder* folder = originals ? &*originals : nullptr;
    window.set_visible(Control::标签提示, true);
    for (int number = 1; number <= total; ++number) {
      if (examine_file_within_memory(paths[number - 1], number, total, folder) == Next::leave) break;
    }
    window.set_visible(Control::标签提示, false);
  }
  reset_batch_controls();
  show_summary();
}

BatchRun::Next BatchRun::examine_file_within_memory(const std::filesystem::path& path, int number, int total,
                                                    const OriginalsFolder* originals) {
  // Memory running out over one file costs that file, left in place, not the batch.
  try {
    return examine_file(path, number, total, originals);
  } catch (const std::bad_alloc&) {
    finish_unreadable(path);
    return Next::go_on;
  }
}

BatchRun::Next BatchRun::examine_file(const std::filesystem::path& path, int number, int total,
                                      const OriginalsFolder* originals) {
  Window& window = context_.window;
  const bool& stop = context_.stop_requested;
  window.process_pending_events();
  show_position(path, number, total);
  window.process_pending_events();
  // A stop click that just came in: this file is not begun.
  if (stop) return Next::leave;

  const FileEncoding encoding = file_encoding_from_index(window.selected_index(Control::组合框文件编码));
  // The bytes read here are the ones checked and the ones copied.
  const std::optional<FileSnapshot> file = read_file_snapshot(path, kLargestArticleBytes);
  if (!file) {
    finish_unreadable(path);
    return Next::go_on;
  }
  // Bytes that are no text in the encoding are not searched: garbled, they would pass for original.
  const FileText text = file_text_from_bytes(file->bytes, encoding);
  if (text.problem) {
    finish_unreadable(path, text.problem);
    return Next::go_on;
  }
  std::string title = title_of(path);
  const ArticleVerdict verdict = check_article(context_, false, title, true, text.text, true);
  const CheckRecord& record = context_.record;
  BatchListRow row = {.file = path,
                      .verdict = verdict_text(record.verdict),
                      .searched = record.content_searched(),
                      .indexed = record.indexed,
                      .rate = record.rate.empty() ? std::string() : utf8_from_gbk(record.rate) + "%",
                      .report = record.report_file,
                      .confidence = verdict_confidence(record),
                      .queries = record.engine_queries(),
                      .cached = record.cached_answers()};
  // A check cut short leaves the file as it was, uncounted.
  if (stop) {
    list_file(row);
    return Next::leave;
  }
  // Without a verdict the file is neither an original to copy nor done with.
  if (verdict == ArticleVerdict::undecided) {
    ++counts_.undecided;
    finish_file(row, FileOutcome::Verdict::undecided);
    return Next::go_on;
  }
  const bool original = verdict == ArticleVerdict::original;

  if (original) ++counts_.originals;
  const SortedFile sorted = sort_examined_file(
      path, *file, original, window.checked(Control::选择框删除已检测文件), originals, counts_);
  row.copy = sorted.copy;
  row.source_deleted = sorted.deleted;
  ++counts_.examined;
  finish_file(row, original ? FileOutcome::Verdict::original : FileOutcome::Verdict::not_original,
              sorted.copied, sorted.deleted);
  if (stop) return Next::leave;
  window.process_pending_events();
  return Next::go_on;
}

void BatchRun::show_position(const std::filesystem::path& path, int number, int total) {
  context_.window.set_progress_position(Control::进度条数量, number);
  context_.window.set_text(Control::标签提示, gbk("总 ") + std::to_string(total) + gbk(" 个文件，当前第 ") +
                                                  std::to_string(number) + gbk(" 个 >>> ") +
                                                  gbk_from_native(path.native()));
}

void BatchRun::reset_batch_controls() {
  Window& window = context_.window;
  window.set_visible(Control::进度条数量, false);
  window.set_visible(Control::浏览器, false);
  window.set_progress_position(Control::进度条, 0);
  window.set_progress_position(Control::进度条数量, 0);
  window.set_text(Control::标签提示, {});
}

void BatchRun::show_summary() {
  Window& window = context_.window;
  // Differences of the wrapping tick count stay right across a wrap.
  const uint32_t total_ms = clock_() - counts_.start_ticks;
  const uint32_t elapsed_ms = clock_() - counts_.start_ticks;
  window.set_text(Control::状态条, batch_summary(counts_, total_ms, elapsed_ms));
  window.show_message({.text = window.text(Control::状态条) + write_list(),
                       .caption = gbk("信息："),
                       .buttons = MessageButtons::ok,
                       .icon = MessageIcon::none});
}

void BatchRun::list_file(const BatchListRow& row) {
  list_ += batch_list_line(row);
}

void BatchRun::finish_file(const BatchListRow& row, FileOutcome::Verdict verdict, bool copied, bool deleted) {
  report(FileOutcome{.row = row, .verdict = verdict, .copied = copied, .deleted = deleted});
}

void BatchRun::finish_unreadable(const std::filesystem::path& path, const std::optional<TextProblem>& problem) {
  ++counts_.unreadable;
  const BatchListRow row{.file = path,
                         .verdict = "无法读取",
                         .rate = problem ? text_problem_words(*problem) : std::string()};
  report(FileOutcome{.row = row, .verdict = FileOutcome::Verdict::unreadable, .text_problem = problem});
}

void BatchRun::report(const FileOutcome& outcome) {
  list_file(outcome.row);
  if (observer_) observer_(outcome);
}

std::string BatchRun::write_list() const {
  if (context_.reports == nullptr || list_.empty()) return {};
  const std::optional<std::filesystem::path> file =
      context_.reports->write_new_file(std::time(nullptr), "批量检测", ".csv", batch_list_head() + list_);
  if (!file) return gbk("\r\n检测记录无法写入：") + gbk_from_utf8(context_.reports->path().native());
  return gbk("\r\n检测记录：") + gbk_from_utf8(file->native());
}
