#include "cli/dry_run.h"

#include <string>

#include "batch/batch_estimate.h"
#include "cli/article_result.h"
#include "cli/exit_status.h"
#include "cli/progress_output.h"

int print_estimates(CheckContext& context, const std::vector<std::filesystem::path>& files, std::FILE* out,
                    ProgressOutput& progress) {
  const std::vector<FileEstimate> estimates = estimate_batch(context, files);
  int status = kAllOriginal;
  progress.clear();
  for (const FileEstimate& estimate : estimates) {
    if (!estimate.searches) {
      progress.warn("originality-check: cannot read '" + estimate.file.native() +
                    "' (missing, not a regular file, no access, or over 64 MB)");
      status = kBadInput;
      continue;
    }
    const std::string line = "estimate\t" + std::to_string(estimate.searches->most) + '\t' +
                             std::to_string(estimate.searches->cached) + '\t' + path_field(estimate.file.native()) +
                             '\n';
    std::fputs(line.c_str(), out);
  }
  std::fprintf(out, "%s\n", terminal_text(estimate_text(context.window, batch_total(estimates))).c_str());
  if (std::fflush(out) != 0 || std::ferror(out) != 0) {
    progress.warn("originality-check: cannot write the results to standard output");
    status = kBadInput;
  }
  return status;
}
