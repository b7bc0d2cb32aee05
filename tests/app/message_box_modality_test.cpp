#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>

#include "app/qt_message_box.h"
#include "support/gbk.h"

namespace {

struct OpenBox {
  bool found = false;
  bool blocks_the_program = false;
  bool stays_on_top = false;
};

// Shows `message` with show_message_box, notes how the box behaves once open,
// and answers it with `button`.
OpenBox show_and_answer(const Message& message, QMessageBox::StandardButton button, MessageAnswer& answer) {
  OpenBox open;
  QTimer::singleShot(0, [&] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      auto* box = qobject_cast<QMessageBox*>(widget);
      if (box == nullptr || !box->isVisible()) continue;
      open.found = true;
      open.blocks_the_program = QApplication::activeModalWidget() == box;
      open.stays_on_top = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
      box->button(button)->click();
    }
  });
  answer = show_message_box(message);
  return open;
}

TEST(MessageBoxModality, CaptchaPromptLeavesTheBrowserUsable) {
  MessageAnswer answer = MessageAnswer::ok;
  const OpenBox open = show_and_answer({.text = gbk("请输入验证码"),
                                        .caption = gbk("信息："),
                                        .buttons = MessageButtons::ok_cancel,
                                        .system_modal = true},
                                       QMessageBox::Cancel, answer);
  ASSERT_TRUE(open.found);
  EXPECT_FALSE(open.blocks_the_program);
  EXPECT_TRUE(open.stays_on_top);
  EXPECT_EQ(answer, MessageAnswer::cancel);
}

TEST(MessageBoxModality, TaskModalBoxBlocksTheProgram) {
  MessageAnswer answer = MessageAnswer::ok;
  const OpenBox open = show_and_answer(
      {.text = gbk("已经超时"), .caption = gbk("信息："), .buttons = MessageButtons::yes_no_cancel},
      QMessageBox::No, answer);
  ASSERT_TRUE(open.found);
  EXPECT_TRUE(open.blocks_the_program);
  EXPECT_FALSE(open.stays_on_top);
  EXPECT_EQ(answer, MessageAnswer::no);
}

}  // namespace
