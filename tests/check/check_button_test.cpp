#include "check/check_button.h"

#include <gtest/gtest.h>

#include "tests/check/check_fixture.h"

namespace {

class CheckButtonTest : public CheckFixture {
 protected:
  CheckButtonTest() { set_text(Control::编辑框内容, numbered_sentences(12)); }

  std::string button_caption() const { return utf8_from_gbk(window.caption(Control::按钮立即检测)); }

  void expect_idle() {
    EXPECT_EQ(button_caption(), "立即检测 >>>");
    EXPECT_EQ(status_utf8(), "检测完毕！");
    EXPECT_TRUE(window.enabled(Control::按钮选择文件));
    EXPECT_TRUE(window.enabled(Control::按钮选择文件夹));
    EXPECT_FALSE(window.visible(Control::浏览器));
    EXPECT_EQ(window.progress_position[Control::进度条], 0);
  }
};

TEST_F(CheckButtonTest, ARunChecksTheWindowsArticleAndReturnsToIdle) {
  window.set_checked(Control::选择框浏览器模式检测, true);
  window.set_visible(Control::浏览器, false);
  // The options of the window at the click decide the cleaning.
  window.set_checked(Control::选择框忽略数字, true);
  window.set_text(Control::编辑框数字位数, "1");
  on_query = [this] {
    EXPECT_EQ(button_caption(), "点击停止检测！");
    EXPECT_FALSE(window.enabled(Control::按钮选择文件));
    EXPECT_FALSE(window.enabled(Control::按钮选择文件夹));
    EXPECT_TRUE(window.visible(Control::浏览器));
  };
  stop_requested = true;  // left over from an earlier run

  on_check_button_clicked(context);

  ASSERT_EQ(queries.size(), 6u);
  for (const Query& query : queries) EXPECT_EQ(query.sentence, "第个句子");
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(window.messages[0].icon, MessageIcon::information);
  expect_idle();
}

TEST_F(CheckButtonTest, AStopClickEndsTheWaitAtOnce) {
  set_text(Control::编辑框间隔秒, "1");
  int rounds_at_click = -1;
  std::string caption_after_click;
  window.on_events = [&] {
    // Turn 2 lets two rounds pass before its wait; the click comes in the wait's fifth slice.
    if (queries.size() != 1 || window.event_rounds != queries[0].event_rounds + 2 + 5) return;
    rounds_at_click = window.event_rounds;
    on_check_button_clicked(context);
    caption_after_click = button_caption();
  };

  on_check_button_clicked(context);

  EXPECT_EQ(caption_after_click, "停止中...");
  EXPECT_EQ(window.event_rounds, rounds_at_click);  // not one more 10 ms slice
  EXPECT_EQ(queries.size(), 1u);
  EXPECT_TRUE(window.messages.empty());
  EXPECT_TRUE(stop_requested);
  expect_idle();
}

TEST_F(CheckButtonTest, AStopFromTheSearchEndsLikeAStopClick) {
  on_query = [this] { stop_requested = true; };
  on_check_button_clicked(context);
  EXPECT_EQ(queries.size(), 1u);
  EXPECT_TRUE(window.messages.empty());
  expect_idle();
}

}  // namespace
