#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include "app/main_form.h"

namespace {

QToolButton* arrow(QLineEdit* edit, Qt::ArrowType type) {
  for (QToolButton* button : edit->findChildren<QToolButton*>()) {
    if (button->arrowType() == type) return button;
  }
  return nullptr;
}

}  // namespace

TEST(NumberInput, WholeNumberBoxesDropOtherTypedCharacters) {
  MainForm form;
  form.编辑框句数->clear();
  QTest::keyClicks(form.编辑框句数, "1a2.-x3");
  EXPECT_EQ(form.编辑框句数->text(), QStringLiteral("12-3"));
  QTest::keyClick(form.编辑框句数, Qt::Key_Backspace);
  EXPECT_EQ(form.编辑框句数->text(), QStringLiteral("12-"));
  // The interval box holds free text.
  form.编辑框间隔秒->clear();
  QTest::keyClicks(form.编辑框间隔秒, "1.5s");
  EXPECT_EQ(form.编辑框间隔秒->text(), QStringLiteral("1.5s"));
}

TEST(NumberInput, ArrowsStepTheNumberWithinTheirRange) {
  MainForm form;
  QLineEdit* sentences = form.编辑框句数;
  ASSERT_NE(arrow(sentences, Qt::UpArrow), nullptr);
  arrow(sentences, Qt::UpArrow)->click();
  EXPECT_EQ(sentences->text(), QStringLiteral("11"));
  sentences->setText(QStringLiteral("100"));
  arrow(sentences, Qt::UpArrow)->click();
  EXPECT_EQ(sentences->text(), QStringLiteral("100"));
  sentences->setText(QStringLiteral("0"));
  QTest::keyClick(sentences, Qt::Key_Down);
  EXPECT_EQ(sentences->text(), QStringLiteral("0"));
  QTest::keyClick(sentences, Qt::Key_Up);
  EXPECT_EQ(sentences->text(), QStringLiteral("1"));

  // The interval keeps its fraction and goes up to 5000.
  QLineEdit* interval = form.编辑框间隔秒;
  arrow(interval, Qt::UpArrow)->click();
  EXPECT_EQ(interval->text(), QStringLiteral("2.5"));
  interval->setText(QStringLiteral("4999.5"));
  arrow(interval, Qt::UpArrow)->click();
  EXPECT_EQ(interval->text(), QStringLiteral("5000"));
}

TEST(NumberInput, OnlyTheFourNumberRowsHaveArrows) {
  MainForm form;
  for (QLineEdit* edit : {form.编辑框句数, form.编辑框最少字数, form.编辑框判断比例, form.编辑框间隔秒}) {
    EXPECT_NE(arrow(edit, Qt::DownArrow), nullptr) << edit->objectName().toStdString();
  }
  for (QLineEdit* edit : {form.编辑框数字位数, form.编辑框等待分钟, form.编辑框IP}) {
    EXPECT_EQ(arrow(edit, Qt::DownArrow), nullptr) << edit->objectName().toStdString();
  }
}
