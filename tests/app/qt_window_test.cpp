#include "app/qt_window.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>

#include "app/main_form.h"
#include "support/gbk.h"

TEST(QtWindow, TheBodyShowsLineFeedsButGivesAndTakesCrLf) {
  MainForm form;
  QtWindow window(form);
  window.set_text(Control::编辑框内容, gbk("第一行\r\n第二行\r\n"));
  EXPECT_EQ(form.编辑框内容->toPlainText(), QStringLiteral("第一行\n第二行\n"));
  EXPECT_EQ(window.text(Control::编辑框内容), gbk("第一行\r\n第二行\r\n"));
}

TEST(QtWindow, TextCrossesAsGbk) {
  MainForm form;
  QtWindow window(form);
  window.set_text(Control::编辑框标题, gbk("标题·一"));
  EXPECT_EQ(form.编辑框标题->text(), QStringLiteral("标题·一"));
  window.set_text(Control::状态条, gbk("检测完毕！"));
  EXPECT_EQ(window.text(Control::状态条), gbk("检测完毕！"));
  window.set_caption(Control::按钮立即检测, gbk("停止检测"));
  EXPECT_EQ(window.caption(Control::按钮立即检测), gbk("停止检测"));
}

TEST(QtWindow, SettingARadioButtonLeavesItsPartnerAlone) {
  MainForm form;
  QtWindow window(form);
  window.set_checked(Control::单选框按收录率, true);
  EXPECT_TRUE(window.checked(Control::单选框按未收录率));
  window.set_checked(Control::单选框按未收录率, false);
  EXPECT_FALSE(window.checked(Control::单选框按未收录率));
  EXPECT_TRUE(window.checked(Control::单选框按收录率));
}

TEST(QtWindow, ProgressStaysWithinTheRange) {
  MainForm form;
  QtWindow window(form);
  window.set_progress_maximum(Control::进度条, 5);
  window.set_progress_position(Control::进度条, 3);
  EXPECT_EQ(form.进度条->value(), 3);
  window.set_progress_position(Control::进度条, 9);
  EXPECT_EQ(form.进度条->value(), 5);
  window.set_progress_maximum(Control::进度条, 2);
  EXPECT_EQ(form.进度条->value(), 2);
  EXPECT_EQ(form.进度条->maximum(), 2);
}

TEST(QtWindow, VisibilityIsTheControlsOwnEvenWhileTheWindowIsHidden) {
  MainForm form;
  QtWindow window(form);
  EXPECT_TRUE(window.visible(Control::编辑框标题));
  window.set_visible(Control::进度条数量, true);
  EXPECT_TRUE(window.visible(Control::进度条数量));
  window.set_visible(Control::浏览器, false);
  EXPECT_FALSE(window.visible(Control::浏览器));
}

TEST(QtWindow, MessagesGoToTheAnswerer) {
  MainForm form;
  QtWindow window(form);
  Message asked;
  window.set_message_answerer([&asked](const Message& message) {
    asked = message;
    return MessageAnswer::no;
  });
  const Message question{gbk("继续吗？"), gbk("信息："), MessageButtons::yes_no_cancel, MessageIcon::warning,
                         true};
  EXPECT_EQ(window.show_message(question), MessageAnswer::no);
  EXPECT_EQ(asked.text, question.text);
  EXPECT_TRUE(asked.system_modal);
}
