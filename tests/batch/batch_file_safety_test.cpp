// With 删除已检测文件 ticked, the copy in 另存文件夹[原创文章] is the only copy of
// an original once its source is gone: a batch must never lose, overwrite or
// mangle an article file, nor end the program over one.

#include <gtest/gtest.h>

#include <new>
#include <utility>

#include "batch/batch_buttons.h"
#include "batch/batch_run.h"
#include "tests/batch/batch_fixture.h"
#include "tests/batch/utf16_bytes.h"

namespace {

namespace fs = std::filesystem;

class BatchFileSafetyTest : public DeletingBatchFixture {};

TEST_F(BatchFileSafetyTest, ACopyNeverReplacesADifferentFileOfTheSameName) {
  batch.run_batch({write_file("x.txt", "first")});
  // A second batch over the same folder, with files from two folders of one name.
  fs::create_directories(folder / "other");
  batch.run_batch({write_file("x.txt", "second"), write_file("other/x.txt", "third")});
  EXPECT_TRUE(summary().ends_with("，重名另存 2 篇")) << summary();
  // The same bytes once more: already copied, under the name they got.
  batch.run_batch({write_file("x.txt", "second")});

  EXPECT_EQ(names_in(folder.path()), (std::set<std::string>{std::string(kOutputFolderName), "other"}));
  EXPECT_TRUE(names_in(folder / "other").empty());
  EXPECT_EQ(names_in(output_folder()), (std::set<std::string>{"x.txt", "x(2).txt", "x(3).txt"}));
  EXPECT_EQ(read_file_bytes(output_folder() / "x.txt"), "first");
  EXPECT_EQ(read_file_bytes(output_folder() / "x(2).txt"), "second");
  EXPECT_EQ(read_file_bytes(output_folder() / "x(3).txt"), "third");
}

TEST_F(BatchFileSafetyTest, AFileThatIsItsOwnCopyIsKept) {
  // Picked from inside the output folder.
  fs::create_directories(folder / "picked" / kOutputFolderName);
  const fs::path inside = write_file(fs::path("picked") / kOutputFolderName / "inside.txt", "inside");
  // An output folder that links back to the files' own folder.
  fs::create_directories(folder / "linked");
  fs::create_directory_symlink(".", folder / "linked" / kOutputFolderName);
  const fs::path linked = write_file("linked/linked.txt", "linked");

  batch.run_batch({write_file("picked/first.txt", "first"), inside});
  batch.run_batch({linked});

  EXPECT_EQ(read_file_bytes(inside), "inside");
  EXPECT_EQ(read_file_bytes(linked), "linked");
  EXPECT_EQ(read_file_bytes(folder / "picked" / kOutputFolderName / "first.txt"), "first");
  EXPECT_EQ(batch.counts().originals, 1);
  EXPECT_EQ(batch.counts().copy_failures, 0);
}

TEST_F(BatchFileSafetyTest, AFileChangedDuringItsCheckKeepsItsNewText) {
  const fs::path rewritten = write_file("rewritten.txt", "old");
  const fs::path replaced = write_file("replaced.txt", "old");
  on_query = [&] {
    if (queries.back() == "rewritten") write_file_bytes(rewritten, "new, longer text");
    // Saved the way editors save: a new file renamed over the old one.
    if (queries.back() == "replaced") {
      write_file_bytes(folder / "replaced.new", "new");
      fs::rename(folder / "replaced.new", replaced);
    }
  };

  batch.run_batch({rewritten, replaced, write_file("untouched.txt", "old")});

  EXPECT_EQ(read_file_bytes(rewritten), "new, longer text");
  EXPECT_EQ(read_file_bytes(replaced), "new");
  EXPECT_FALSE(fs::exists(folder / "untouched.txt"));
  EXPECT_EQ(read_file_bytes(output_folder() / "rewritten.txt"), "old");
  EXPECT_EQ(read_file_bytes(output_folder() / "replaced.txt"), "old");
  EXPECT_EQ(summary(),
            "完成！总耗时 0 毫秒！已检测 3 篇，平均耗时 0 毫秒！原创 3 篇，原创比率 100 %，检测中被改动 2 "
            "篇（未删除）");
}

TEST_F(BatchFileSafetyTest, FilesTooLargeForMemoryAreUnreadableAndTheBatchGoesOn) {
  const fs::path terabyte = write_file("terabyte.txt", "");
  fs::resize_file(terabyte, uintmax_t{1} << 40);  // sparse: no disk used
  const fs::path just_too_large = write_file("just too large.txt", "");
  fs::resize_file(just_too_large, (64u << 20) + 1);
  const fs::path greedy = write_file("greedy.txt", "");
  on_query = [&] {
    if (queries.back() == "greedy") throw std::bad_alloc();
  };

  batch.run_batch({terabyte, just_too_large, greedy, write_file("small.txt", "")});

  EXPECT_EQ(queries, (std::vector<std::string>{"greedy", "small"}));
  EXPECT_EQ(fs::file_size(terabyte), uintmax_t{1} << 40);
  EXPECT_TRUE(fs::exists(just_too_large) && fs::exists(greedy));
  EXPECT_EQ(names_in(output_folder()), std::set<std::string>{"small.txt"});
  EXPECT_TRUE(summary().ends_with("原创 1 篇，原创比率 100 %，无法读取 3 篇")) << summary();
}

TEST_F(BatchFileSafetyTest, AFileWithNothingToSearchGetsNoVerdictAndIsKept) {
  check_content_only();
  window.set_checked(Control::选择框判断标题, true);
  window.set_text(Control::编辑框最少字数, "5");
  const std::vector<std::pair<std::string, std::string>> nothing_to_search = {
      {"empty.txt", ""},
      {"blanks.txt", "  \r\n\t "},
      {"short lines.txt", gbk("春天。花开。")},
  };
  std::vector<fs::path> paths;
  for (const auto& [name, bytes] : nothing_to_search) paths.push_back(write_file(name, bytes));
  paths.push_back(write_file("article.txt", gbk("我家门前的小河静静流过田野。")));

  batch.run_batch(paths);

  std::set<std::string> kept = {std::string(kOutputFolderName)};
  for (const auto& [name, bytes] : nothing_to_search) kept.insert(name);
  ASSERT_EQ(names_in(folder.path()), kept);
  for (const auto& [name, bytes] : nothing_to_search)
    EXPECT_EQ(read_file_bytes(folder / name), bytes) << name;
  EXPECT_EQ(names_in(output_folder()), std::set<std::string>{"article.txt"});
  EXPECT_EQ(summary(),
            "完成！总耗时 0 毫秒！已检测 1 篇，平均耗时 0 毫秒！原创 1 篇，原创比率 100 %，无法判断 3 篇");
}

TEST_F(BatchFileSafetyTest, ANameNearTheLengthLimitIsCopiedAndNumberedWithinIt) {
  std::string stem;
  for (int i = 0; i < 83; ++i) stem += "长";
  const std::string name = stem + ".txt";  // 253 bytes of the 255 a name may have

  batch.run_batch({write_file(name, "long")});
  batch.run_batch({write_file(name, "another")});

  EXPECT_EQ(names_in(folder.path()), std::set<std::string>{std::string(kOutputFolderName)});
  EXPECT_EQ(read_file_bytes(output_folder() / name), "long");
  // "(2)" takes the place of the last character.
  EXPECT_EQ(read_file_bytes(output_folder() / (stem.substr(0, stem.size() - 3) + "(2).txt")), "another");
}

TEST_F(BatchFileSafetyTest, ACopyIsNoMoreOpenToOthersThanItsSource) {
  const fs::path private_draft = write_file("private.txt", "draft");
  fs::permissions(private_draft, fs::perms(0600));
  const fs::path read_only = write_file("read only.txt", "final");
  fs::permissions(read_only, fs::perms(0444));

  batch.run_batch({private_draft, read_only});

  EXPECT_EQ(fs::status(output_folder() / "private.txt").permissions(), fs::perms(0600));
  EXPECT_EQ(fs::status(output_folder() / "read only.txt").permissions(), fs::perms(0444));
  EXPECT_EQ(read_file_bytes(output_folder() / "private.txt"), "draft");
}

TEST_F(BatchFileSafetyTest, AGbkNamedFileGetsItsChineseTitle) {
  std::string title_in_window;
  on_query = [&] { title_in_window = utf8_from_gbk(window.text(Control::编辑框标题)); };
  const std::string name = gbk("国标编码的文件名") + ".txt";

  batch.run_batch({write_file(name, "gbk")});

  EXPECT_EQ(title_in_window, "国标编码的文件名");
  EXPECT_EQ(queries, std::vector<std::string>{"国标编码的文件名"});
  EXPECT_EQ(read_file_bytes(output_folder() / name), "gbk");
}

TEST_F(BatchFileSafetyTest, AStopClickDuringACheckDeletesNothingMore) {
  BatchButtons buttons{context, clock};
  const fs::path first = write_file("1.txt", "1");
  const fs::path second = write_file("2.txt", "2");
  const fs::path third = write_file("3.txt", "3");
  window.picked_files = {first, second, third};
  on_query = [&] {
    if (queries.size() == 2) buttons.start_file_batch();  // the click, through the batch's event processing
  };

  buttons.start_file_batch();

  EXPECT_EQ(names_in(folder.path()),
            (std::set<std::string>{std::string(kOutputFolderName), "2.txt", "3.txt"}));
  EXPECT_EQ(read_file_bytes(second), "2");
  EXPECT_EQ(read_file_bytes(third), "3");
  EXPECT_EQ(names_in(output_folder()), std::set<std::string>{"1.txt"});
  EXPECT_EQ(buttons.counts().examined, 1);
}

}  // namespace
