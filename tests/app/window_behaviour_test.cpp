#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QImage>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QUrl>

#include "app/help_message.h"
#include "app/hyperlink_label.h"
#include "app/picture_button.h"
#include "app/qt_message_box.h"
#include "app/qt_text.h"
#include "support/gbk.h"
#include "tests/app/main_window_fixture.h"
#include "tests/testsupport/file_bytes.h"

namespace {

const Control kSentenceSettings[] = {Control::编辑框句数, Control::编辑框最少字数, Control::编辑框判断比例,
                                     Control::单选框按收录率, Control::单选框按未收录率};

std::vector<std::string> split_lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", start)) {
    lines.push_back(text.substr(start, at - start));
    start = at + 2;
  }
  lines.push_back(text.substr(start));
  return lines;
}

}  // namespace

TEST_F(MainWindowTest, TheContentCheckBoxSwitchesAllSentenceSettingsAtOnce) {
  open_window();
  QTest::mouseClick(form().选择框判断内容, Qt::LeftButton);
  for (const Control control : kSentenceSettings) EXPECT_TRUE(window().enabled(control));
  QTest::mouseClick(form().选择框判断内容, Qt::LeftButton);
  for (const Control control : kSentenceSettings) EXPECT_FALSE(window().enabled(control));
}

TEST_F(MainWindowTest, TheBlockingWaitBoxSwitchesTheMinutes) {
  open_window();
  QTest::mouseClick(form().选择框屏蔽等待, Qt::LeftButton);
  EXPECT_FALSE(window().enabled(Control::编辑框等待分钟));
  QTest::mouseClick(form().选择框屏蔽等待, Qt::LeftButton);
  EXPECT_TRUE(window().enabled(Control::编辑框等待分钟));
}

TEST_F(MainWindowTest, AGivenProxyIsUsableOnlyOutsideBrowserMode) {
  open_window();
  EXPECT_FALSE(window().enabled(Control::组合框代理形式));
  QTest::mouseClick(form().选择框浏览器模式检测, Qt::LeftButton);
  EXPECT_TRUE(window().enabled(Control::组合框代理形式));
  EXPECT_FALSE(window().enabled(Control::编辑框IP));

  QTest::keyClick(form().组合框代理形式, Qt::Key_Down);
  EXPECT_FALSE(window().enabled(Control::编辑框IP));
  QTest::keyClick(form().组合框代理形式, Qt::Key_Down);
  ASSERT_EQ(window().selected_index(Control::组合框代理形式), 2);
  EXPECT_TRUE(window().enabled(Control::编辑框IP));

  // Browser mode back on: the choice becomes unusable; the address box keeps its
  // state until the choice changes again.
  QTest::mouseClick(form().选择框浏览器模式检测, Qt::LeftButton);
  EXPECT_FALSE(window().enabled(Control::组合框代理形式));
  EXPECT_TRUE(window().enabled(Control::编辑框IP));
}

TEST_F(MainWindowTest, TheSaveCopiesOptionStaysOn) {
  open_window();
  // Disabled in the form; enabled here so that a click reaches its handler.
  window().set_enabled(Control::选择框原创, true);
  form().选择框原创->click();
  EXPECT_TRUE(window().checked(Control::选择框原创));
}

TEST_F(MainWindowTest, PasteReplacesTheBodyWithTheClipboardText) {
  open_window();
  QGuiApplication::clipboard()->setText(QStringLiteral("新的内容\n第二段"));
  form().按钮粘贴->click();
  EXPECT_EQ(window().text(Control::编辑框内容), gbk("新的内容\r\n第二段"));
  EXPECT_EQ(window().text(Control::编辑框标题), gbk("这是文章的标题，下面是文章内容"));
}

TEST_F(MainWindowTest, PasteWithAnEmptyOrNonTextClipboardClearsTheBody) {
  open_window();
  QGuiApplication::clipboard()->clear();
  form().按钮粘贴->click();
  EXPECT_EQ(window().text(Control::编辑框内容), "");

  window().set_text(Control::编辑框内容, "x");
  QImage picture(4, 4, QImage::Format_RGB32);
  picture.fill(Qt::red);
  QGuiApplication::clipboard()->setImage(picture);
  form().按钮粘贴->click();
  EXPECT_EQ(window().text(Control::编辑框内容), "");
}

TEST_F(MainWindowTest, HelpShowsTheOperatingNotes) {
  open_window();
  form().图片框操作->click();
  QTest::mousePress(form().超级链接框操作, Qt::LeftButton);
  ASSERT_EQ(messages.size(), 2u);
  for (const Message& message : messages) {
    EXPECT_EQ(message.text, help_message_text());
    EXPECT_EQ(message.caption, gbk("信息："));
    EXPECT_EQ(message.buttons, MessageButtons::ok);
    EXPECT_EQ(message.icon, MessageIcon::none);
    EXPECT_FALSE(message.system_modal);
  }
}

TEST(HelpMessage, HasEighteenLinesWithItsRulesAndNoFinalBreak) {
  const std::vector<std::string> lines = split_lines(help_message_text());
  ASSERT_EQ(lines.size(), 18u);
  EXPECT_EQ(lines[0], gbk("抽样检测，模拟真人搜索百度等搜索引擎来判断文章原创性。支持多种搜索引擎，检测效果取"
                          "决于设定的判断参数！"));
  EXPECT_EQ(lines[5], std::string(44, '-'));
  EXPECT_EQ(lines[14], std::string(44, '-'));
  EXPECT_EQ(lines[16], std::string(45, '-'));
  for (const size_t empty : {1, 3, 9, 12}) EXPECT_EQ(lines[empty], "");
  EXPECT_EQ(lines[17], gbk("访问搜索引擎过快可能会引起屏蔽，导致判断失败。因此设置一个间隔时间是必须的，一般 "
                           "1.5 秒到 2 秒的间隔为好"));
}

TEST_F(MainWindowTest, PicturesOpenWhatTheirLinksOpen) {
  open_window();
  form().图片框更新->click();
  form().图片框QQ->click();
  form().图片框软件->click();
  form().图片框官网->click();
  ASSERT_EQ(opened.size(), 4u);
  EXPECT_EQ(opened[0], window().link_address(Control::超级链接框更新));
  EXPECT_EQ(opened[1], window().link_address(Control::超级链接框QQ));
  EXPECT_EQ(opened[2], window().link_address(Control::超级链接框软件));
  EXPECT_FALSE(opened[3].empty());
}

TEST_F(MainWindowTest, LinksOpenTheirOwnAddressesWhichExist) {
  open_window();
  for (const Control control : {Control::超级链接框更新, Control::超级链接框QQ, Control::超级链接框软件,
                                Control::超级链接框3, Control::超级链接框2}) {
    opened.clear();
    QTest::mouseClick(form().widget(control), Qt::LeftButton);
    const std::string address = window().link_address(control);
    ASSERT_EQ(opened, std::vector<std::string>{address});
    const QUrl url(QString::fromStdString(address));
    ASSERT_TRUE(url.isLocalFile()) << address;
    EXPECT_TRUE(std::filesystem::exists(url.toLocalFile().toStdString())) << address;
  }
  EXPECT_EQ(window().link_address(Control::超级链接框操作), "");
  EXPECT_EQ(window().link_address(Control::超级链接框保存), "");
}

TEST_F(MainWindowTest, ALinkNoProgramCanOpenSaysWhereItsFileIs) {
  open_window();
  opener_found = false;
  for (const Control control : {Control::超级链接框3, Control::超级链接框2}) {
    messages.clear();
    QTest::mouseClick(form().widget(control), Qt::LeftButton);
    const QString path = QUrl(QString::fromStdString(window().link_address(control))).toLocalFile();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].text.find(gbk_from_qstring(path)), std::string::npos) << messages[0].text;
  }
}

TEST_F(MainWindowTest, TheReportLinkOpensTheNewestReportOrSaysThereIsNone) {
  open_window();
  QTest::mouseClick(form().widget(Control::超级链接框1), Qt::LeftButton);
  EXPECT_TRUE(opened.empty());
  ASSERT_EQ(messages.size(), 1u);

  const std::filesystem::path reports = objects().reports.path();
  std::filesystem::create_directories(reports);
  for (const char* name : {"20250101-000000-older.html", "20250101-000001-newer.html"}) {
    std::ofstream(reports / name) << name;
  }
  std::filesystem::last_write_time(reports / "20250101-000000-older.html",
                                   std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
  QTest::mouseClick(form().widget(Control::超级链接框1), Qt::LeftButton);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(QUrl(QString::fromStdString(opened[0])).toLocalFile().toStdString(),
            (reports / "20250101-000001-newer.html").string());
}

TEST_F(MainWindowTest, ALeftClickOnTheIconHidesAndShowsTheWindow) {
  open_window();
  form().show();
  events().on_tray_icon_click(TrayClick::left);
  EXPECT_FALSE(form().isVisible());
  events().on_tray_icon_click(TrayClick::left);
  EXPECT_TRUE(form().isVisible());
}

TEST_F(MainWindowTest, QuittingThroughTheIconAsksThenSavesAndEnds) {
  open_window();
  window().set_checked(Control::选择框判断标题, true);
  const int exit_code = run_event_loop([&] {
    answer = MessageAnswer::cancel;
    events().on_tray_icon_click(TrayClick::right);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, gbk("确定要退出《澜岫·原创文章检测器》吗？"));
    EXPECT_EQ(messages[0].buttons, MessageButtons::ok_cancel);
    EXPECT_FALSE(std::filesystem::exists(configuration_path()));

    answer = MessageAnswer::ok;
    events().on_tray_icon_click(TrayClick::right);
  });
  EXPECT_EQ(exit_code, 0);
  EXPECT_EQ(messages.size(), 2u);
  EXPECT_NE(read_file_bytes(configuration_path()).find(gbk("检测标题=真")), std::string::npos);
}

TEST_F(MainWindowTest, AHiddenWindowOutlivesAMessageBoxAnsweredCancel) {
  open_window();
  qt_window().set_message_answerer(show_message_box);
  form().show();
  const int exit_code = run_event_loop([&] {
    events().on_tray_icon_click(TrayClick::left);
    // The quit prompt, a real box, answered Cancel once it is open.
    QTimer::singleShot(0, [] {
      for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        if (box != nullptr && box->isVisible()) box->button(QMessageBox::Cancel)->click();
      }
    });
    events().on_tray_icon_click(TrayClick::right);
    // Reached only if the loop goes on after the box; Qt's own end of the loop, when
    // it happens, comes first, as it is posted while the box closes.
    QTimer::singleShot(100, [] { QCoreApplication::exit(7); });
  });
  EXPECT_EQ(exit_code, 7);
  EXPECT_FALSE(form().isVisible());
  EXPECT_FALSE(std::filesystem::exists(configuration_path()));
}
