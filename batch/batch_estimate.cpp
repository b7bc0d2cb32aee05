#include "batch/batch_estimate.h"

#include "batch/batch_paths.h"
#include "batch/batch_run.h"
#include "batch/file_encoding.h"
#include "batch/text_file_loader.h"
#include "check/text_expressions.h"
#include "support/file_io.h"
#include "support/window.h"

std::vector<FileEstimate> estimate_batch(CheckContext& context, const std::vector<std::filesystem::path>& paths) {
  Window& window = context.window;
  build_cleaning_expression(window, context.expressions);
  std::vector<FileEstimate> estimates;
  for (const std::filesystem::path& path : paths) {
    if (context.stop_requested) break;
    FileEstimate& estimate = estimates.emplace_back(FileEstimate{.file = path, .searches = std::nullopt});
    const FileEncoding encoding = file_encoding_from_index(window.selected_index(Control::组合框文件编码));
    if (const std::optional<FileSnapshot> file = read_file_snapshot(path, kLargestArticleBytes))
      estimate.searches = estimate_searches(context, title_of(path), text_from_file_bytes(file->bytes, encoding));
    window.process_pending_events();
  }
  return estimates;
}

SearchEstimate batch_total(const std::vector<FileEstimate>& estimates) {
  SearchEstimate total;
  for (const FileEstimate& estimate : estimates) {
    if (estimate.searches) total += *estimate.searches;
  }
  return total;
}
