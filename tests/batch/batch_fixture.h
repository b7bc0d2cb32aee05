#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "batch/batch_run.h"
#include "check/check_context.h"
#include "check/random_seeder.h"
#include "check/text_expressions.h"
#include "support/gbk.h"
#include "tests/testsupport/fake_window.h"
#include "tests/testsupport/file_bytes.h"
#include "tests/testsupport/temp_dir.h"

// A batch against a fake window, a scripted engine, a clock the test moves and a
// fresh folder. The window starts with only the title check ticked, no interval,
// automatic encoding and the delete option clear; so a file is original unless
// its title is in `indexed`.
class BatchFixture : public ::testing::Test {
 protected:
  static constexpr std::string_view kOutputFolderName = "另存文件夹[原创文章]";

  BatchFixture() {
    window.set_text(Control::编辑框句数, "1");
    window.set_text(Control::编辑框判断比例, "60");
    window.set_text(Control::编辑框间隔秒, "0");
    window.set_text(Control::编辑框最少字数, "0");
    window.set_checked(Control::单选框按未收录率, true);
    window.set_checked(Control::选择框判断标题, true);
    window.set_caption(Control::按钮立即检测, gbk("立即检测 >>>"));
    window.set_caption(Control::按钮选择文件, gbk("批量检测.."));
    window.set_caption(Control::按钮选择文件夹, gbk("  批量检测(文件夹).."));
    window.set_text(Control::编辑框过滤, "*.txt");
    prepare_window_expressions(expressions);
  }

  // Judges by the content alone: its one sentence, searched whole. By the
  // indexed rate, so an original verdict comes without the report's pause.
  void check_content_only() {
    window.set_checked(Control::选择框判断标题, false);
    window.set_checked(Control::选择框判断内容, true);
    window.set_checked(Control::单选框按未收录率, false);
    window.set_checked(Control::单选框按收录率, true);
  }

  std::filesystem::path write_file(const std::filesystem::path& name, std::string_view bytes) {
    const std::filesystem::path path = folder / name;
    write_file_bytes(path, bytes);
    return path;
  }
  std::filesystem::path output_folder() const { return folder / kOutputFolderName; }

  // The names in a folder, sorted; empty when it does not exist.
  static std::set<std::string> names_in(const std::filesystem::path& path) {
    std::set<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(path, error))
      names.insert(entry.path().filename().string());
    return names;
  }

  // The summary as the last message box showed it, in UTF-8.
  std::string summary() const {
    if (window.messages.empty()) return "(no message)";
    return utf8_from_gbk(window.messages.back().text);
  }

  TempDir folder;
  FakeWindow window;
  bool stop_requested = false;
  TextExpressions expressions;
  RandomSeeder seeder{[] { return uint32_t{1}; }};
  uint32_t now = 1000;
  // Sentences (UTF-8) that the engine has indexed.
  std::set<std::string> indexed;
  // Sentences (UTF-8) whose result page cannot be read.
  std::set<std::string> unreadable;
  // Runs inside each question, before it is answered.
  std::function<void()> on_query;
  // Every sentence asked (UTF-8), in order.
  std::vector<std::string> queries;

  CheckContext context{
      window, stop_requested, expressions, seeder, [this](std::string_view sentence, int) {
        queries.push_back(utf8_from_gbk(sentence));
        if (on_query) on_query();
        const bool found = indexed.contains(queries.back());
        if (unreadable.contains(queries.back()))
          return SentenceAnswer{SentenceOutcome::unrecognised, {}, {}, {}};
        return SentenceAnswer{found ? SentenceOutcome::indexed : SentenceOutcome::not_indexed, {}, {}, {}};
      }};
  TickClock clock = [this] { return now; };
};

// A batch over the fixture that deletes what it has examined: the cases about
// keeping the user's files safe.
class DeletingBatchFixture : public BatchFixture {
 protected:
  DeletingBatchFixture() { window.set_checked(Control::选择框删除已检测文件, true); }

  BatchRun batch{context, clock};
};
