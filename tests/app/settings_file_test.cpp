#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>

#include <QTest>

#include "app/hyperlink_label.h"
#include "app/picture_button.h"
#include "support/detection_settings.h"
#include "support/gbk.h"
#include "support/text_conversions.h"
#include "tests/app/main_window_fixture.h"
#include "tests/testsupport/file_bytes.h"
#include "tests/testsupport/file_system_probes.h"

namespace {

// A profile as the Windows program writes it: GBK, CR LF, and other sections
// around ours.
std::string windows_profile(std::string_view utf8_entries) {
  return gbk(std::string("[其他]\r\n键=值\r\n\r\n[基本配置]\r\n") + std::string(utf8_entries) +
             "\r\n[尾]\r\nx=1\r\n");
}

}  // namespace

TEST_F(MainWindowTest, SaveWritesTheTwentyTwoKeysInOrder) {
  open_window();
  Window& w = window();
  w.set_checked(Control::选择框判断标题, true);
  w.set_checked(Control::单选框按收录率, true);
  w.set_checked(Control::单选框按未收录率, false);
  w.set_text(Control::编辑框句数, "12");
  w.set_selected_index(Control::组合框引擎, 2);
  w.set_text(Control::编辑框标题, gbk("标题甲"));
  w.set_text(Control::编辑框内容, gbk("第一行\r\n第二行"));
  w.set_selected_index(Control::组合框文件编码, 4);

  // One replacement of the whole file, not one per key: a crash part-way
  // through leaves no mix of old and new settings.
  RenamesOnto replacements(folder.path(), configuration_path().filename());
  ASSERT_TRUE(save_settings(w, objects().settings_store).written());
  EXPECT_EQ(replacements.count(), 1);

  EXPECT_EQ(
      read_file_bytes(configuration_path()),
      gbk("[基本配置]\r\n检测标题=真\r\n检测内容=假\r\n句数=12\r\n最少字数=10\r\n判断比例=60\r\n"
          "按收录率判断非原创=真\r\n间隔秒=1.5\r\n引擎=2\r\n忽略网址邮箱=真\r\n忽略      位以上数字=真\r\n"
          "数字位数=5\r\n过滤=*.txt\r\n删除已检测文件=真\r\n原创文章另存文件夹=真\r\n标题=标题甲\r\n"
          "内容=第一行┊*┊第二行\r\n文件编码=4\r\n代理形式=0\r\nIP=127.0.0.1:8080\r\n"
          "当百度屏蔽时自动等待多少分钟（否则弹出信息框提示）：=真\r\n等待分钟=30\r\n浏览器模式检测=真\r\n"));
}

TEST_F(MainWindowTest, LoadRestoresEveryControlFromAWindowsProfile) {
  write_file_bytes(
      configuration_path(),
      windows_profile("检测标题=真\r\n检测内容=真\r\n句数=8\r\n最少字数=12\r\n判断比例=70\r\n"
                      "按收录率判断非原创=真\r\n间隔秒=2.5\r\n引擎=4\r\n忽略网址邮箱=假\r\n"
                      "忽略      位以上数字=假\r\n数字位数=7\r\n过滤=*.htm\r\n删除已检测文件=假\r\n"
                      "原创文章另存文件夹=真\r\n标题=旧标题\r\n内容=甲┊*┊乙\r\n文件编码=2\r\n"
                      "代理形式=2\r\nIP=10.0.0.1:3128\r\n"
                      "当百度屏蔽时自动等待多少分钟（否则弹出信息框提示）：=假\r\n等待分钟=45\r\n"
                      "浏览器模式检测=假"));
  open_window();
  Window& w = window();
  EXPECT_TRUE(w.checked(Control::选择框判断标题));
  EXPECT_TRUE(w.checked(Control::选择框判断内容));
  EXPECT_EQ(w.text(Control::编辑框句数), "8");
  EXPECT_EQ(w.text(Control::编辑框最少字数), "12");
  EXPECT_EQ(w.text(Control::编辑框判断比例), "70");
  EXPECT_TRUE(w.checked(Control::单选框按收录率));
  EXPECT_FALSE(w.checked(Control::单选框按未收录率));
  EXPECT_EQ(w.text(Control::编辑框间隔秒), "2.5");
  EXPECT_EQ(w.selected_index(Control::组合框引擎), 4);
  EXPECT_FALSE(w.checked(Control::选择框忽略网址邮箱));
  EXPECT_FALSE(w.checked(Control::选择框忽略数字));
  EXPECT_EQ(w.text(Control::编辑框数字位数), "7");
  EXPECT_EQ(w.text(Control::编辑框过滤), "*.htm");
  EXPECT_FALSE(w.checked(Control::选择框删除已检测文件));
  EXPECT_TRUE(w.checked(Control::选择框原创));
  EXPECT_EQ(w.text(Control::编辑框标题), gbk("旧标题"));
  EXPECT_EQ(w.text(Control::编辑框内容), gbk("甲\r\n乙"));
  EXPECT_EQ(w.selected_index(Control::组合框文件编码), 2);
  EXPECT_EQ(w.selected_index(Control::组合框代理形式), 2);
  EXPECT_EQ(w.text(Control::编辑框IP), "10.0.0.1:3128");
  EXPECT_FALSE(w.checked(Control::选择框屏蔽等待));
  EXPECT_EQ(w.text(Control::编辑框等待分钟), "45");
  EXPECT_FALSE(w.checked(Control::选择框浏览器模式检测));
  // The rules follow what was loaded: content on, waiting off, browser mode off
  // with a given proxy.
  EXPECT_TRUE(w.enabled(Control::编辑框句数));
  EXPECT_TRUE(w.enabled(Control::单选框按收录率));
  EXPECT_FALSE(w.enabled(Control::编辑框等待分钟));
  EXPECT_TRUE(w.enabled(Control::组合框代理形式));
  EXPECT_TRUE(w.enabled(Control::编辑框IP));
}

TEST_F(MainWindowTest, LoadKeepsFormTextsForEmptyTitleAndBodyAndTamesOddValues) {
  write_file_bytes(configuration_path(),
                   windows_profile("检测标题=是\r\n检测内容=1\r\n句数=\r\n标题=\r\n内容=\r\n"
                                   "引擎=2.9\r\n文件编码=abc\r\n代理形式=２\r\n"
                                   "按收录率判断非原创=假\r\n浏览器模式检测=真"));
  open_window();
  Window& w = window();
  EXPECT_FALSE(w.checked(Control::选择框判断标题));
  EXPECT_FALSE(w.checked(Control::选择框判断内容));
  // Only the title and the body keep the form's text when the stored one is empty.
  EXPECT_EQ(w.text(Control::编辑框句数), "");
  EXPECT_EQ(w.text(Control::编辑框标题), gbk("这是文章的标题，下面是文章内容"));
  EXPECT_EQ(w.text(Control::编辑框内容).rfind(gbk("模拟真人搜索"), 0), 0u);
  EXPECT_EQ(w.selected_index(Control::组合框引擎), 2);
  EXPECT_EQ(w.selected_index(Control::组合框文件编码), 0);
  EXPECT_EQ(w.selected_index(Control::组合框代理形式), 2);
  EXPECT_TRUE(w.checked(Control::单选框按未收录率));
  EXPECT_FALSE(w.checked(Control::单选框按收录率));
  // A given proxy chosen in browser mode stays unusable.
  EXPECT_FALSE(w.enabled(Control::编辑框IP));
}

// Selecting nothing would leave a check without an engine to ask.
TEST_F(MainWindowTest, AnIndexOutsideTheItemsKeepsTheFormsSelection) {
  write_file_bytes(configuration_path(), windows_profile("引擎=7\r\n文件编码=-1e300\r\n代理形式=3"));
  open_window();
  EXPECT_EQ(window().selected_index(Control::组合框引擎), 0);
  EXPECT_EQ(window().selected_index(Control::组合框文件编码), 0);
  EXPECT_EQ(window().selected_index(Control::组合框代理形式), 0);
}

TEST_F(MainWindowTest, WhatIsSavedLoadsBackUnchanged) {
  open_window();
  window().set_text(Control::编辑框内容, gbk("甲\r\n\r\n乙┊*┊丙"));
  window().set_checked(Control::选择框判断内容, true);
  window().set_selected_index(Control::组合框引擎, 5);
  ASSERT_TRUE(save_settings(window(), objects().settings_store).written());
  const std::string saved = read_file_bytes(configuration_path());
  EXPECT_NE(saved.find(gbk("引擎=5\r\n")), std::string::npos);

  open_window();
  EXPECT_EQ(window().text(Control::编辑框内容), gbk("甲\r\n\r\n乙\r\n丙"));
  EXPECT_TRUE(window().checked(Control::选择框判断内容));
  EXPECT_EQ(window().selected_index(Control::组合框引擎), 5);
  ASSERT_TRUE(save_settings(window(), objects().settings_store).written());
  EXPECT_EQ(read_file_bytes(configuration_path()), saved);
}

// Written by hand in another editor: a close of the window writes our keys in
// the file's encoding and leaves every other line as it was, characters GBK
// lacks included.
TEST_F(MainWindowTest, AHandWrittenFileKeepsItsEncodingAndOtherLinesOverAClose) {
  const std::string before = "; 备注 😀 한국어 ✓ café\r\n[我的分组]\r\n说明=保留 😀\r\n\r\n[基本配置]\r\n检测标题=真\r\n";
  const std::string after = "\r\n[尾节 ✓]\r\nx=é ✓\r\n";
  const auto utf16le = [](std::string_view utf8) { return utf8_to_utf16le(utf8); };
  const struct {
    const char* encoding;
    std::string mark;
    std::function<std::string(std::string_view)> encoded;
  } cases[] = {
      {"UTF-8", "", [](std::string_view utf8) { return std::string(utf8); }},
      {"UTF-16 little-endian", "\xFF\xFE", utf16le},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.encoding);
    write_file_bytes(configuration_path(), c.mark + c.encoded(before) + c.encoded(after));
    open_window();
    EXPECT_TRUE(window().checked(Control::选择框判断标题));
    form().show();
    ASSERT_EQ(run_event_loop([&] { form().close(); }), 0);

    const std::string saved = read_file_bytes(configuration_path());
    EXPECT_TRUE(saved.starts_with(c.mark + c.encoded(before)));
    EXPECT_TRUE(saved.ends_with(c.encoded(after)));
    EXPECT_NE(saved.find(c.encoded("\r\n标题=这是文章的标题，下面是文章内容\r\n")), std::string::npos);
    EXPECT_NE(saved.find(c.encoded("\r\n浏览器模式检测=真\r\n")), std::string::npos);
  }
}

TEST_F(MainWindowTest, ShippedDefaultsLoadAndTheSaveGoesToTheUsersFile) {
  const std::filesystem::path shipped = folder / "程序" / "主配置.ini";
  std::filesystem::create_directory(folder / "程序");
  write_file_bytes(shipped, windows_profile("检测标题=真\r\n句数=8"));
  open_window(SettingsLocation{configuration_path(), shipped});
  EXPECT_TRUE(window().checked(Control::选择框判断标题));
  EXPECT_EQ(window().text(Control::编辑框句数), "8");

  window().set_text(Control::编辑框句数, "9");
  form().图片框保存->click();

  EXPECT_EQ(read_file_bytes(shipped), windows_profile("检测标题=真\r\n句数=8"));
  const std::string saved = read_file_bytes(configuration_path());
  EXPECT_NE(saved.find(gbk("检测标题=真")), std::string::npos);
  EXPECT_NE(saved.find(gbk("句数=9")), std::string::npos);
}

TEST_F(MainWindowTest, SavingOnRequestConfirms) {
  open_window();
  form().图片框保存->click();
  QTest::mousePress(form().超级链接框保存, Qt::LeftButton);
  ASSERT_EQ(messages.size(), 2u);
  for (const Message& message : messages) {
    EXPECT_EQ(message.text, gbk("保存完毕！"));
    EXPECT_EQ(message.caption, gbk("信息："));
    EXPECT_EQ(message.buttons, MessageButtons::ok);
    EXPECT_EQ(message.icon, MessageIcon::none);
  }
  EXPECT_NE(read_file_bytes(configuration_path()).find(gbk("浏览器模式检测=真")), std::string::npos);
}

TEST_F(MainWindowTest, AFailedSaveWarnsWithThePathInsteadOfConfirming) {
  // A file where the folder should be: nothing can be written below it.
  write_file_bytes(folder / "不是文件夹", "x");
  const std::filesystem::path unwritable = folder / "不是文件夹" / "主配置.ini";
  open_window(unwritable);
  window().set_checked(Control::选择框判断标题, true);

  form().图片框保存->click();

  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].icon, MessageIcon::warning);
  EXPECT_EQ(messages[0].text.find(gbk("保存完毕！")), std::string::npos);
  EXPECT_NE(messages[0].text.find(gbk_from_utf8(unwritable.string())), std::string::npos);
  EXPECT_NE(messages[0].text.find(gbk("原因：文件的路径中有一项不是文件夹。")), std::string::npos);
  EXPECT_TRUE(window().checked(Control::选择框判断标题));
  EXPECT_EQ(read_file_bytes(folder / "不是文件夹"), "x");
}

TEST_F(MainWindowTest, ASaveThatDoesNotFitLeavesTheOldFileWhole) {
  const std::string old_file = windows_profile("检测标题=假\r\n句数=8\r\n内容=旧的");
  write_file_bytes(configuration_path(), old_file);
  open_window();
  window().set_checked(Control::选择框判断标题, true);
  window().set_text(Control::编辑框句数, "9");
  window().set_text(Control::编辑框内容, std::string(8192, 'x'));
  {
    const FileSizeLimit disk_nearly_full(4096);
    EXPECT_FALSE(save_settings(window(), objects().settings_store).written());
  }
  EXPECT_EQ(read_file_bytes(configuration_path()), old_file);
}

TEST_F(MainWindowTest, AFailedSaveOverSomethingThatIsNoFileSaysSo) {
  const std::filesystem::path in_place = folder / "主配置.ini";
  const std::function<void()> make_in_place[] = {
      [&] { std::filesystem::create_directory(in_place); },
      [&] { ASSERT_EQ(mkfifo(in_place.c_str(), 0600), 0); },
  };
  for (const auto& make : make_in_place) {
    std::filesystem::remove(in_place);
    make();
    open_window(in_place);
    messages.clear();
    form().图片框保存->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].text.find(gbk("原因：这个位置上不是普通文件，而是文件夹或其他特殊文件。")),
              std::string::npos)
        << utf8_from_gbk(messages[0].text);
    EXPECT_FALSE(std::filesystem::is_regular_file(in_place));
  }
}

TEST_F(MainWindowTest, ATitleWithALoneLineFeedIsSavedAndReadBack) {
  open_window();
  window().set_text(Control::编辑框标题, gbk("两行\n标题"));
  ASSERT_TRUE(save_settings(window(), objects().settings_store).written());
  open_window();
  EXPECT_EQ(window().text(Control::编辑框标题), gbk("两行\r\n标题"));
}

TEST_F(MainWindowTest, ClosingSavesSilentlyAndEndsTheProgram) {
  open_window();
  window().set_checked(Control::选择框判断标题, true);
  form().show();
  EXPECT_EQ(run_event_loop([&] { form().close(); }), 0);
  EXPECT_TRUE(messages.empty());
  EXPECT_NE(read_file_bytes(configuration_path()).find(gbk("检测标题=真")), std::string::npos);
}

TEST_F(MainWindowTest, ClosingWhereNothingCanBeWrittenStaysSilent) {
  write_file_bytes(folder / "file", "x");
  open_window(folder / "file" / "主配置.ini");
  form().show();
  EXPECT_EQ(run_event_loop([&] { form().close(); }), 0);
  EXPECT_TRUE(messages.empty());
}
