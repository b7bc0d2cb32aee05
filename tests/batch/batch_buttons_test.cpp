#include "batch/batch_buttons.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/batch/batch_fixture.h"

namespace {

namespace fs = std::filesystem;

class BatchButtonsTest : public BatchFixture {
 protected:
  // The run buttons' state, as the user sees it.
  struct Buttons {
    std::string file_caption;
    std::string folder_caption;
    bool check_enabled;
    bool file_enabled;
    bool folder_enabled;
    bool operator==(const Buttons&) const = default;
  };
  Buttons buttons_now() const {
    return {utf8_from_gbk(window.caption(Control::按钮选择文件)),
            utf8_from_gbk(window.caption(Control::按钮选择文件夹)), window.enabled(Control::按钮立即检测),
            window.enabled(Control::按钮选择文件), window.enabled(Control::按钮选择文件夹)};
  }

  static inline const Buttons kIdle{"批量检测..", "  批量检测(文件夹)..", true, true, true};

  BatchButtons buttons{context, clock};
};

TEST_F(BatchButtonsTest, TheFileDialogAsksForSeveralArticleFiles) {
  buttons.start_file_batch();
  ASSERT_EQ(window.file_dialogs.size(), 1u);
  EXPECT_EQ(utf8_from_gbk(window.file_dialogs[0].title), "选择多个文件，检测其内容的原创性并归类放置：");
  std::vector<std::string> filters;
  for (const std::string& filter : window.file_dialogs[0].filters) filters.push_back(utf8_from_gbk(filter));
  EXPECT_EQ(filters, (std::vector<std::string>{"文本文件(*.txt)", "网页文件(*.htm *.html)", "全部文件(*)"}));
  // Cancelled: nothing happens.
  EXPECT_TRUE(window.messages.empty());
  EXPECT_EQ(buttons_now(), kIdle);
}

TEST_F(BatchButtonsTest, AFileBatchRunsWithTheOtherRunButtonsOff) {
  window.picked_files = {write_file("1.txt", ""), write_file("2.txt", "")};
  stop_requested = true;  // left over from an earlier run
  std::vector<Buttons> during;
  on_query = [&] { during.push_back(buttons_now()); };
  std::vector<std::string> statuses;
  window.on_events = [&] { statuses.push_back(utf8_from_gbk(window.text(Control::状态条))); };

  buttons.start_file_batch();

  EXPECT_EQ(queries, (std::vector<std::string>{"1", "2"}));
  // What the batch may cost, as it starts: two titles, no cache.
  EXPECT_NE(std::ranges::find(statuses, "预计最多 2 次搜索，其中 0 次可用缓存，约 0 分钟"), statuses.end());
  ASSERT_FALSE(during.empty());
  EXPECT_EQ(during[0], (Buttons{"立即停止！", "  批量检测(文件夹)..", false, true, false}));
  EXPECT_EQ(buttons_now(), kIdle);
  EXPECT_EQ(buttons.counts().examined, 2);
}

TEST_F(BatchButtonsTest, AClickDuringAFileBatchStopsIt) {
  window.set_checked(Control::选择框删除已检测文件, true);
  const fs::path first = write_file("1.txt", "1");
  const fs::path second = write_file("2.txt", "2");
  window.picked_files = {first, second};
  std::string caption_after_click;
  on_query = [&] {
    buttons.start_file_batch();  // the click, arriving through the batch's event processing
    caption_after_click = utf8_from_gbk(window.caption(Control::按钮选择文件));
  };

  buttons.start_file_batch();

  EXPECT_EQ(caption_after_click, "停止中..");
  EXPECT_EQ(queries.size(), 1u);
  EXPECT_EQ(read_file_bytes(first), "1");
  EXPECT_EQ(read_file_bytes(second), "2");
  EXPECT_EQ(buttons.counts().examined, 0);
  EXPECT_EQ(window.file_dialogs.size(), 1u);
  EXPECT_EQ(buttons_now(), kIdle);
}

TEST_F(BatchButtonsTest, AFolderBatchChecksTheMatchingFilesOfThePickedFolder) {
  write_file("a.txt", "");
  write_file("b.htm", "");
  fs::create_directories(folder / "sub");
  write_file("sub/c.txt", "");
  window.picked_folder = folder.path();
  std::vector<Buttons> during;
  on_query = [&] { during.push_back(buttons_now()); };

  buttons.start_folder_batch();

  ASSERT_EQ(window.folder_dialogs.size(), 1u);
  EXPECT_EQ(utf8_from_gbk(window.folder_dialogs[0].prompt),
            "选择文件夹，其下的‘*.txt’文件将检测其内容的原创性并归类放置：");
  EXPECT_EQ(window.folder_dialogs[0].start_folder, fs::path());
  EXPECT_EQ(queries, std::vector<std::string>{"a"});
  EXPECT_EQ(names_in(output_folder()), std::set<std::string>{"a.txt"});
  ASSERT_EQ(during.size(), 1u);
  EXPECT_EQ(during[0], (Buttons{"批量检测..", "   立即停止！", false, false, true}));
  EXPECT_EQ(buttons_now(), kIdle);
  EXPECT_EQ(buttons.last_folder(), folder.path());
}

TEST_F(BatchButtonsTest, TheBrowserOpensAtTheFolderPickedLastAndCancelKeepsIt) {
  write_file("a.txt", "");
  window.picked_folder = folder.path();
  buttons.start_folder_batch();
  window.picked_folder.reset();
  buttons.start_folder_batch();
  buttons.start_folder_batch();

  ASSERT_EQ(window.folder_dialogs.size(), 3u);
  EXPECT_EQ(window.folder_dialogs[1].start_folder, folder.path());
  EXPECT_EQ(window.folder_dialogs[2].start_folder, folder.path());
  EXPECT_EQ(window.messages.size(), 1u);  // the first batch's summary only
}

TEST_F(BatchButtonsTest, ThePatternIsReadAgainWhenTheBrowserCloses) {
  write_file("a.txt", "");
  write_file("b.htm", "");
  window.set_text(Control::编辑框过滤, "");
  window.picked_folder = folder.path();
  window.on_dialog = [&] { window.set_text(Control::编辑框过滤, "*.htm"); };

  buttons.start_folder_batch();

  EXPECT_EQ(utf8_from_gbk(window.folder_dialogs[0].prompt),
            "选择文件夹，其下的‘’文件将检测其内容的原创性并归类放置：");
  EXPECT_EQ(queries, std::vector<std::string>{"b"});
}

TEST_F(BatchButtonsTest, AFolderWithoutMatchingFilesChangesNothing) {
  write_file("a.txt", "");
  window.set_text(Control::编辑框过滤, "*.txt;*.htm");
  window.picked_folder = folder.path();
  buttons.start_folder_batch();
  EXPECT_TRUE(queries.empty());
  EXPECT_TRUE(window.messages.empty());
  EXPECT_FALSE(fs::exists(output_folder()));
  EXPECT_EQ(buttons_now(), kIdle);
}

TEST_F(BatchButtonsTest, NoRunCanStartWhileTheFolderIsListed) {
  write_file("a.txt", "");
  window.picked_folder = folder.path();
  std::vector<Buttons> while_listing;
  window.on_events = [&] {
    if (queries.empty()) while_listing.push_back(buttons_now());
  };
  buttons.start_folder_batch();
  ASSERT_FALSE(while_listing.empty());
  EXPECT_EQ(while_listing[0], (Buttons{"批量检测..", "  批量检测(文件夹)..", false, false, false}));
}

TEST_F(BatchButtonsTest, AClickDuringAFolderBatchStopsIt) {
  write_file("1.txt", "1");
  write_file("2.txt", "2");
  window.picked_folder = folder.path();
  std::string caption_after_click;
  on_query = [&] {
    buttons.start_folder_batch();
    caption_after_click = utf8_from_gbk(window.caption(Control::按钮选择文件夹));
  };

  buttons.start_folder_batch();

  EXPECT_EQ(caption_after_click, "    停止中..");
  EXPECT_EQ(queries.size(), 1u);
  EXPECT_EQ(window.folder_dialogs.size(), 1u);
  EXPECT_EQ(buttons_now(), kIdle);
}

}  // namespace
