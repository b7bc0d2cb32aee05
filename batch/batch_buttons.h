#pragma once

#include <filesystem>
#include <vector>

#include "batch/batch_run.h"
#include "check/check_context.h"
#include "check/random_seeder.h"

// The two batch buttons' click handlers, with the run they share and the folder
// picked last, which lives as long as the program and is not saved.
//
// A button's caption is its state. Idle, a click asks for the files and runs the
// batch with the other two run buttons disabled; a click while its batch runs
// (it arrives through the batch's event processing) asks the batch to stop.
class BatchButtons {
 public:
  explicit BatchButtons(CheckContext& context, TickClock clock = monotonic_milliseconds);

  // 按钮选择文件: "批量检测.." idle, "立即停止！" running, "停止中.." stopping.
  void start_file_batch();
  // 按钮选择文件夹: "  批量检测(文件夹).." idle, "   立即停止！" running,
  // "    停止中.." stopping. The browser opens at the folder picked last.
  void start_folder_batch();

  const BatchCounts& counts() const { return run_.counts(); }
  const std::filesystem::path& last_folder() const { return last_folder_; }

 private:
  // What the batch may cost, in the status bar as it starts.
  void show_estimate(const std::vector<std::filesystem::path>& paths);

  CheckContext& context_;
  BatchRun run_;
  std::filesystem::path last_folder_;
};
