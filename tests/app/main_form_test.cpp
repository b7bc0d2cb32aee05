#include "app/main_form.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>

#include "app/picture_button.h"
#include "app/usage_text.h"

namespace {

struct Placement {
  Control control;
  const char* name;
  const char* parent;
  QRect geometry;
};

// Every control but the status bar, which docks at the bottom edge.
const Placement kPlacements[] = {
    {Control::图片框1, "图片框1", "主窗口", {0, 0, 914, 88}},
    {Control::图片框操作, "图片框操作", "图片框1", {16, 0, 64, 64}},
    {Control::超级链接框操作, "超级链接框操作", "图片框1", {16, 64, 64, 24}},
    {Control::图片框保存, "图片框保存", "图片框1", {96, 0, 64, 64}},
    {Control::超级链接框保存, "超级链接框保存", "图片框1", {96, 64, 64, 24}},
    {Control::图片框更新, "图片框更新", "图片框1", {176, 0, 64, 64}},
    {Control::超级链接框更新, "超级链接框更新", "图片框1", {176, 64, 64, 24}},
    {Control::图片框QQ, "图片框QQ", "图片框1", {256, 0, 64, 64}},
    {Control::超级链接框QQ, "超级链接框QQ", "图片框1", {256, 64, 64, 24}},
    {Control::图片框软件, "图片框软件", "图片框1", {336, 0, 64, 64}},
    {Control::超级链接框软件, "超级链接框软件", "图片框1", {336, 64, 64, 24}},
    {Control::图片框官网, "图片框官网", "图片框1", {544, 12, 145, 64}},
    {Control::标签5, "标签5", "主窗口", {0, 88, 1000, 2}},
    {Control::标签3, "标签3", "主窗口", {-4, 480, 1088, 3}},
    {Control::分组框1, "分组框1", "主窗口", {200, 104, 704, 357}},
    {Control::编辑框标题, "编辑框标题", "分组框1", {13, 24, 611, 24}},
    {Control::按钮粘贴, "按钮粘贴", "分组框1", {629, 24, 64, 24}},
    {Control::编辑框内容, "编辑框内容", "分组框1", {13, 56, 680, 256}},
    {Control::进度条, "进度条", "分组框1", {13, 320, 680, 24}},
    {Control::浏览器, "浏览器", "分组框1", {13, 24, 681, 288}},
    {Control::选择框判断标题, "选择框判断标题", "主窗口", {11, 108, 80, 24}},
    {Control::选择框判断内容, "选择框判断内容", "主窗口", {107, 108, 80, 24}},
    {Control::标签9, "标签9", "主窗口", {0, 148, 105, 24}},
    {Control::编辑框句数, "编辑框句数", "主窗口", {112, 148, 50, 24}},
    {Control::标签11, "标签11", "主窗口", {0, 180, 105, 24}},
    {Control::编辑框最少字数, "编辑框最少字数", "主窗口", {112, 180, 50, 24}},
    {Control::标签10, "标签10", "主窗口", {0, 212, 105, 24}},
    {Control::编辑框判断比例, "编辑框判断比例", "主窗口", {112, 212, 50, 24}},
    {Control::单选框按未收录率, "单选框按未收录率", "主窗口", {33, 245, 150, 16}},
    {Control::单选框按收录率, "单选框按收录率", "主窗口", {33, 263, 150, 16}},
    {Control::标签2, "标签2", "主窗口", {0, 292, 105, 24}},
    {Control::编辑框间隔秒, "编辑框间隔秒", "主窗口", {112, 292, 50, 24}},
    {Control::标签4, "标签4", "主窗口", {0, 323, 105, 24}},
    {Control::组合框引擎, "组合框引擎", "主窗口", {112, 325, 67, 20}},
    {Control::按钮立即检测, "按钮立即检测", "主窗口", {11, 358, 168, 48}},
    {Control::选择框忽略网址邮箱, "选择框忽略网址邮箱", "主窗口", {11, 411, 173, 24}},
    {Control::选择框忽略数字, "选择框忽略数字", "主窗口", {11, 435, 173, 24}},
    {Control::编辑框数字位数, "编辑框数字位数", "主窗口", {63, 436, 28, 24}},
    {Control::组合框代理形式, "组合框代理形式", "主窗口", {8, 496, 96, 24}},
    {Control::编辑框IP, "编辑框IP", "主窗口", {112, 497, 168, 24}},
    {Control::选择框浏览器模式检测, "选择框浏览器模式检测", "主窗口", {299, 497, 125, 24}},
    {Control::选择框删除已检测文件, "选择框删除已检测文件", "主窗口", {440, 497, 120, 24}},
    {Control::选择框原创, "选择框原创", "主窗口", {576, 497, 152, 24}},
    {Control::标签6, "标签6", "主窗口", {735, 497, 64, 24}},
    {Control::组合框文件编码, "组合框文件编码", "主窗口", {808, 498, 96, 24}},
    {Control::选择框屏蔽等待, "选择框屏蔽等待", "主窗口", {8, 534, 424, 24}},
    {Control::编辑框等待分钟, "编辑框等待分钟", "主窗口", {416, 534, 40, 24}},
    {Control::进度条数量, "进度条数量", "主窗口", {8, 530, 536, 32}},
    {Control::按钮选择文件, "按钮选择文件", "主窗口", {552, 530, 136, 32}},
    {Control::按钮选择文件夹, "按钮选择文件夹", "主窗口", {696, 530, 208, 32}},
    {Control::编辑框过滤, "编辑框过滤", "主窗口", {845, 534, 48, 24}},
    {Control::超级链接框3, "超级链接框3", "主窗口", {16, 567, 144, 20}},
    {Control::超级链接框2, "超级链接框2", "主窗口", {200, 567, 256, 20}},
    {Control::超级链接框1, "超级链接框1", "主窗口", {464, 567, 344, 20}},
    {Control::标签提示, "标签提示", "主窗口", {8, 567, 808, 20}},
};

bool has_one_colour(const QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) != image.pixel(0, 0)) return false;
    }
  }
  return true;
}

}  // namespace

TEST(MainForm, EveryControlIsNamedAndPlacedAsDesigned) {
  MainForm form;
  EXPECT_EQ(std::size(kPlacements) + 1, kControlCount);
  for (const Placement& placement : kPlacements) {
    SCOPED_TRACE(placement.name);
    auto* widget = form.findChild<QWidget*>(QString::fromUtf8(placement.name));
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget, form.widget(placement.control));
    EXPECT_EQ(widget->parentWidget()->objectName(), QString::fromUtf8(placement.parent));
    EXPECT_EQ(widget->geometry(), placement.geometry);
  }
  QWidget* status_bar = form.widget(Control::状态条);
  EXPECT_EQ(status_bar->objectName(), QStringLiteral("状态条"));
  EXPECT_EQ(status_bar->geometry().bottom() + 1, MainForm::kClientHeight);
  EXPECT_EQ(status_bar->width(), MainForm::kClientWidth);
}

TEST(MainForm, HasAFixedSizeAndTheDesignedTitle) {
  MainForm form;
  EXPECT_EQ(form.minimumSize(), QSize(MainForm::kClientWidth, MainForm::kClientHeight));
  EXPECT_EQ(form.maximumSize(), form.minimumSize());
  EXPECT_EQ(form.windowTitle(),
            QStringLiteral("澜岫·原创文章检测器 v1.41 - 模拟真人搜索百度检测归类原创文章"));
  EXPECT_FALSE(form.windowIcon().isNull());
}

TEST(MainForm, UsesSongTiWithAFallbackAndTheRowsOwnSizes) {
  MainForm form;
  EXPECT_EQ(form.font().families().value(0), QStringLiteral("宋体"));
  EXPECT_GE(form.font().families().size(), 2);
  EXPECT_EQ(form.编辑框标题->font().pixelSize(), 14);
  EXPECT_EQ(form.按钮立即检测->font().pixelSize(), 19);
  EXPECT_TRUE(form.按钮立即检测->font().bold());
  EXPECT_EQ(form.按钮立即检测->font().families().value(0), QStringLiteral("黑体"));
  EXPECT_EQ(form.组合框代理形式->font().pixelSize(), 16);
  EXPECT_EQ(form.组合框文件编码->font().pixelSize(), 16);
  EXPECT_EQ(form.编辑框IP->font().pixelSize(), 15);
  EXPECT_EQ(form.选择框屏蔽等待->font().pixelSize(), 15);
  EXPECT_EQ(form.编辑框等待分钟->font().pixelSize(), 15);
  EXPECT_EQ(form.状态条->font().pixelSize(), 12);
  EXPECT_EQ(form.widget(Control::超级链接框1)->font().pixelSize(), 12);
  EXPECT_TRUE(form.widget(Control::超级链接框保存)->font().underline());
}

TEST(MainForm, PictureButtonsDrawTwoDifferentPicturesUnderAHandCursor) {
  MainForm form;
  for (PictureButton* button :
       {form.图片框操作, form.图片框保存, form.图片框更新, form.图片框QQ, form.图片框软件, form.图片框官网}) {
    SCOPED_TRACE(button->objectName().toStdString());
    EXPECT_EQ(button->cursor().shape(), Qt::PointingHandCursor);
    const QImage normal = button->grab().toImage();
    button->setDown(true);
    const QImage highlighted = button->grab().toImage();
    EXPECT_NE(normal, highlighted);
    EXPECT_FALSE(has_one_colour(normal));
  }
}

TEST(MainForm, TheDigitBoxLiesOverTheBlanksOfItsCaption) {
  MainForm form;
  // The caption keeps its six blanks; the box sits between 忽略 and 位.
  EXPECT_EQ(form.选择框忽略数字->text(), QStringLiteral("忽略      位以上数字"));
  const QFontMetrics metrics(form.选择框忽略数字->font());
  const int gap_start = metrics.horizontalAdvance(QStringLiteral("忽略"));
  const int gap_end = metrics.horizontalAdvance(QStringLiteral("忽略      "));
  EXPECT_GE(gap_end - gap_start, form.编辑框数字位数->width());
}

TEST(MainForm, UsageTextExplainsBothModesTheExampleAndTheInterval) {
  const QString text = usage_text();
  EXPECT_TRUE(
      text.startsWith(QStringLiteral("模拟真人搜索百度等引擎判断文章原创性，效果取决于设定的判断参数！\n")));
  for (const QString& part :
       {QStringLiteral("按收录率判断非原创"), QStringLiteral("按未收录率判断原创"),
        QStringLiteral("检测 10 句"), QStringLiteral("每句最少字数"), QStringLiteral("1.5 秒到 2 秒")}) {
    EXPECT_TRUE(text.contains(part)) << part.toStdString();
  }
}
