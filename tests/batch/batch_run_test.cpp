#include "batch/batch_run.h"

#include <gtest/gtest.h>

#include "tests/batch/batch_fixture.h"
#include "tests/batch/utf16_bytes.h"

namespace {

namespace fs = std::filesystem;
using namespace std::literals;

// Bytes that a text read would cut short: the copy must be the whole file.
const std::string kOriginalBytes = "original\r\n\x1A tail";

class BatchRunTest : public BatchFixture {
 protected:
  BatchRun batch{context, clock};
};

TEST_F(BatchRunTest, WithTheDeleteOptionOriginalsMoveAndTheOthersGo) {
  window.set_checked(Control::选择框删除已检测文件, true);
  indexed = {"抄袭"};
  const fs::path original = write_file("原创.txt", kOriginalBytes);
  const fs::path copied = write_file("抄袭.txt", "copied");

  batch.run_batch({original, copied});

  EXPECT_EQ(queries, (std::vector<std::string>{"原创", "抄袭"}));
  EXPECT_EQ(names_in(folder.path()), std::set<std::string>{std::string(kOutputFolderName)});
  EXPECT_EQ(names_in(output_folder()), std::set<std::string>{"原创.txt"});
  EXPECT_EQ(read_file_bytes(output_folder() / "原创.txt"), kOriginalBytes);
  EXPECT_EQ(batch.counts().examined, 2);
  EXPECT_EQ(batch.counts().originals, 1);
}

TEST_F(BatchRunTest, WithoutTheDeleteOptionEverythingStaysAndOriginalsAreCopied) {
  indexed = {"抄袭"};
  const fs::path original = write_file("原创.txt", kOriginalBytes);
  const fs::path copied = write_file("抄袭.txt", "copied");

  batch.run_batch({original, copied});

  EXPECT_EQ(read_file_bytes(original), kOriginalBytes);
  EXPECT_EQ(read_file_bytes(copied), "copied");
  EXPECT_EQ(names_in(output_folder()), std::set<std::string>{"原创.txt"});
  EXPECT_EQ(read_file_bytes(output_folder() / "原创.txt"), kOriginalBytes);
}

TEST_F(BatchRunTest, TheOutputFolderLiesBesideTheFirstFileEvenWithoutOriginals) {
  fs::create_directories(folder / "first");
  fs::create_directories(folder / "second");
  indexed = {"a", "b"};
  batch.run_batch({write_file("first/a.txt", "a"), write_file("second/b.txt", "b")});

  EXPECT_TRUE(fs::is_directory(folder / "first" / kOutputFolderName));
  EXPECT_TRUE(names_in(folder / "first" / kOutputFolderName).empty());
  EXPECT_FALSE(fs::exists(folder / "second" / kOutputFolderName));
}

TEST_F(BatchRunTest, TheTitleIsTheFileNameUpToItsLastDot) {
  std::vector<std::string> titles_in_window;
  on_query = [&] { titles_in_window.push_back(utf8_from_gbk(window.text(Control::编辑框标题))); };
  batch.run_batch({write_file("2024.新闻.稿.txt", ""), write_file("没有扩展名", ""), write_file(".txt", "")});

  // An empty title is not searched; with only the title check, nothing is known of the file.
  EXPECT_EQ(queries, (std::vector<std::string>{"2024.新闻.稿", "没有扩展名"}));
  EXPECT_EQ(titles_in_window, queries);
  EXPECT_EQ(batch.counts().originals, 2);
  EXPECT_EQ(batch.counts().undecided, 1);
  EXPECT_EQ(names_in(output_folder()), (std::set<std::string>{"2024.新闻.稿.txt", "没有扩展名"}));
}

TEST_F(BatchRunTest, ArticlesAreReadInTheChosenOrRecognisedEncoding) {
  check_content_only();
  const std::string article = "原创文章的内容";
  const std::string traditional = "原創文章的內容";
  const struct {
    const char* name;
    std::string bytes;
    int encoding_index;
    std::string searched = "原创文章的内容";  // empty: no text in the encoding, so not searched
  } cases[] = {
      {"utf-16le without mark recognised", utf16le(u"原创文章的内容"), 0},
      {"utf-16be without mark recognised", utf16be(u"原创文章的内容"), 0},
      {"big5 page recognised",
       "<html><head><meta charset=big5></head>\xAD\xEC\xB3\xD0\xA4\xE5\xB3\xB9\xAA\xBA\xA4\xBA\xAE\x65", 0,
       traditional},
      {"utf-16le read as gbk", utf16le(u"原创文章的内容"), 1, ""},
      {"gbk read as utf-8", gbk(article), 2, ""},
      {"gbk recognised", gbk(article), 0},
      {"utf-8 mark recognised", "\xEF\xBB\xBF" + article, 0},
      {"utf-8 head recognised", "<html><head><meta charset=utf-8></head>" + article, 0},
      {"utf-16le mark recognised", "\xFF\xFE" + utf16le(u"原创文章的内容"), 0},
      {"utf-16be mark recognised", "\xFE\xFF" + utf16be(u"原创文章的内容"), 0},
      {"gbk chosen", gbk(article), 1},
      {"utf-8 chosen", article, 2},
      {"utf-16le chosen", "\xFF\xFE" + utf16le(u"原创文章的内容"), 3},
      {"utf-16be chosen", "\xFE\xFF" + utf16be(u"原创文章的内容"), 4},
  };
  for (const auto& example : cases) {
    SCOPED_TRACE(example.name);
    queries.clear();
    fs::remove_all(output_folder());
    window.set_selected_index(Control::组合框文件编码, example.encoding_index);
    batch.run_batch({write_file("article.txt", example.bytes)});
    if (example.searched.empty()) {
      EXPECT_TRUE(queries.empty());
      EXPECT_EQ(batch.counts().unreadable, 1);
      EXPECT_FALSE(fs::exists(output_folder() / "article.txt"));
      continue;
    }
    ASSERT_EQ(queries.size(), 1u);
    EXPECT_TRUE(queries[0].ends_with(example.searched)) << queries[0];
    EXPECT_EQ(read_file_bytes(output_folder() / "article.txt"), example.bytes);
  }
}

TEST_F(BatchRunTest, AnEncodingChosenDuringTheBatchCountsFromTheNextFile) {
  check_content_only();
  window.set_selected_index(Control::组合框文件编码, 1);
  on_query = [&] { window.set_selected_index(Control::组合框文件编码, 2); };
  batch.run_batch({write_file("1.txt", "原创文章"), write_file("2.txt", "原创文章")});
  ASSERT_EQ(queries.size(), 2u);
  EXPECT_NE(queries[0], "原创文章");  // UTF-8 bytes read as GBK
  EXPECT_EQ(queries[1], "原创文章");
}

TEST_F(BatchRunTest, AStopDuringACheckLeavesThatFileUntouchedAndUncounted) {
  window.set_checked(Control::选择框删除已检测文件, true);
  on_query = [&] {
    if (queries.size() == 2) stop_requested = true;
  };
  const fs::path first = write_file("1.txt", "1");
  const fs::path second = write_file("2.txt", "2");
  const fs::path third = write_file("3.txt", "3");

  batch.run_batch({first, second, third});

  EXPECT_EQ(queries, (std::vector<std::string>{"1", "2"}));
  EXPECT_FALSE(fs::exists(first));
  EXPECT_EQ(read_file_bytes(second), "2");
  EXPECT_EQ(read_file_bytes(third), "3");
  EXPECT_EQ(names_in(output_folder()), std::set<std::string>{"1.txt"});
  EXPECT_EQ(summary(), "完成！总耗时 0 毫秒！已检测 1 篇，平均耗时 0 毫秒！原创 1 篇，原创比率 100 %");
}

TEST_F(BatchRunTest, TheNeitherTickedWarningEndsTheBatchAfterTheFirstFile) {
  window.set_checked(Control::选择框判断标题, false);
  window.set_checked(Control::选择框删除已检测文件, true);
  const fs::path first = write_file("1.txt", "1");
  const fs::path second = write_file("2.txt", "2");

  batch.run_batch({first, second});

  EXPECT_TRUE(queries.empty());
  EXPECT_TRUE(fs::exists(first) && fs::exists(second));
  ASSERT_EQ(window.messages.size(), 2u);
  EXPECT_EQ(utf8_from_gbk(window.messages[0].text), "请至少打勾一个判断功能：判断标题或判断内容");
  EXPECT_EQ(summary(), "完成！总耗时 0 毫秒！已检测 0 篇，平均耗时 0 毫秒！原创 0 篇，原创比率 0 %");
}

TEST_F(BatchRunTest, TheSummaryCountsTimesAndTheShareOfOriginals) {
  indexed = {"2", "3"};
  on_query = [&] { now += 1500; };
  batch.run_batch({write_file("1.txt", ""), write_file("2.txt", ""), write_file("3.txt", "")});

  const std::string expected =
      "完成！总耗时 4.5 秒！已检测 3 篇，平均耗时 1.5 秒！原创 1 篇，原创比率 33.33 %";
  EXPECT_EQ(utf8_from_gbk(window.text(Control::状态条)), expected);
  ASSERT_EQ(window.messages.size(), 1u);
  const Message& box = window.messages[0];
  EXPECT_EQ(utf8_from_gbk(box.text), expected);
  EXPECT_EQ(utf8_from_gbk(box.caption), "信息：");
  EXPECT_EQ(box.buttons, MessageButtons::ok);
  EXPECT_EQ(box.icon, MessageIcon::none);
  EXPECT_FALSE(box.system_modal);
  // The counts stay until the next batch.
  EXPECT_EQ(batch.counts().start_ticks, 1000u);
  EXPECT_EQ(batch.counts().examined, 3);
  EXPECT_EQ(batch.counts().originals, 1);
}

TEST_F(BatchRunTest, AFileWhoseResultPagesCannotBeReadIsNeitherCopiedNorDeleted) {
  window.set_checked(Control::选择框删除已检测文件, true);
  unreadable = {"2"};
  const fs::path unjudged = write_file("2.txt", "");
  batch.run_batch({write_file("1.txt", ""), unjudged, write_file("3.txt", "")});

  EXPECT_TRUE(fs::exists(unjudged));
  EXPECT_EQ(names_in(output_folder()), (std::set<std::string>{"1.txt", "3.txt"}));
  EXPECT_EQ(summary(),
            "完成！总耗时 0 毫秒！已检测 2 篇，平均耗时 0 毫秒！原创 2 篇，原创比率 100 %，无法判断 1 篇");
  // A batch shows no box but its summary.
  EXPECT_EQ(window.messages.size(), 1u);

  // Five of ten pieces long enough, one of them unread, the others not indexed:
  // 50 % with it, 40 % without, and the sentences run out.
  window.set_checked(Control::选择框判断标题, false);
  window.set_checked(Control::选择框判断内容, true);
  window.set_text(Control::编辑框句数, "10");
  window.set_text(Control::编辑框判断比例, "50");
  window.set_text(Control::编辑框最少字数, "4");
  unreadable = {"第三句检测文字"};
  const fs::path run_out = write_file(
      "4.txt", gbk("第一句检测文字。第二句检测文字。第三句检测文字。第四句检测文字。第五句检测文字。"
                   "短。短。短。短。短。"));
  batch.run_batch({run_out});

  EXPECT_TRUE(fs::exists(run_out));
  EXPECT_EQ(names_in(output_folder()), (std::set<std::string>{"1.txt", "3.txt"}));
  EXPECT_TRUE(summary().ends_with("已检测 0 篇，平均耗时 0 毫秒！原创 0 篇，原创比率 0 %，无法判断 1 篇"))
      << summary();
}

TEST_F(BatchRunTest, DurationsStayRightWhenTheTickCountWraps) {
  now = 0xFFFFFFFFu - 999;
  on_query = [&] { now += 3000; };
  batch.run_batch({write_file("1.txt", "")});
  EXPECT_EQ(summary(), "完成！总耗时 3 秒！已检测 1 篇，平均耗时 3 秒！原创 1 篇，原创比率 100 %");
}

TEST_F(BatchRunTest, PositionAndProgressFollowTheBatchAndAreResetAfterIt) {
  window.set_checked(Control::选择框浏览器模式检测, true);
  window.set_visible(Control::进度条数量, false);
  window.set_visible(Control::标签提示, false);
  window.set_visible(Control::浏览器, false);
  struct Seen {
    std::string position_line;
    int position = 0;
    bool bar_shown = false;
    bool line_shown = false;
    bool browser_shown = false;
  };
  std::vector<Seen> seen;
  on_query = [&] {
    seen.push_back({utf8_from_gbk(window.text(Control::标签提示)),
                    window.progress_position[Control::进度条数量], window.visible(Control::进度条数量),
                    window.visible(Control::标签提示), window.visible(Control::浏览器)});
  };
  const fs::path first = write_file("1.txt", "");
  const fs::path second = write_file("2.txt", "");

  batch.run_batch({first, second});

  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[1].position_line, "总 2 个文件，当前第 2 个 >>> " + second.string());
  EXPECT_EQ(seen[1].position, 2);
  EXPECT_TRUE(seen[0].bar_shown && seen[0].line_shown && seen[0].browser_shown);
  EXPECT_EQ(window.progress_maximum[Control::进度条数量], 2);

  EXPECT_FALSE(window.visible(Control::进度条数量));
  EXPECT_FALSE(window.visible(Control::标签提示));
  EXPECT_FALSE(window.visible(Control::浏览器));
  EXPECT_EQ(window.text(Control::标签提示), "");
  EXPECT_EQ(window.progress_position[Control::进度条数量], 0);
  EXPECT_EQ(window.progress_position[Control::进度条], 0);
}

}  // namespace
