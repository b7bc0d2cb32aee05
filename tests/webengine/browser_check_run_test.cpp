#include <gtest/gtest.h>

#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "support/gbk.h"
#include "tests/app/main_window_fixture.h"
#include "tests/testsupport/file_bytes.h"
#include "tests/testsupport/http_search_site.h"
#include "tests/webengine/site_engine.h"

namespace {

// The check button clicked with browser mode ticked in 主配置.ini: the result
// pages come through the embedded browser, at the program's own poll period.
class BrowserCheckRunTest : public MainWindowTest {
 protected:
  BrowserCheckRunTest() {
    site_engine().serve([site = site](const ReceivedRequest& request) { return site->answer(request); });
    write_file_bytes(
        configuration_path(),
        gbk("[基本配置]\r\n检测标题=假\r\n检测内容=真\r\n句数=2\r\n最少字数=2\r\n判断比例=100\r\n"
            "按收录率判断非原创=假\r\n间隔秒=0\r\n引擎=0\r\n代理形式=0\r\n浏览器模式检测=真\r\n"));
    open_window();
    window().set_text(Control::编辑框内容, gbk("浏览器检测的第一句。浏览器检测的第二句。"));
  }

  ~BrowserCheckRunTest() override { site_engine().serve({}); }

  std::shared_ptr<SearchSite> site = std::make_shared<SearchSite>();
};

TEST_F(BrowserCheckRunTest, ClickChecksThroughTheBrowserShownDuringTheRun) {
  site->index("别的文章里的文字");
  bool browser_shown_at_verdict = false;
  on_message = [&](const Message&) { browser_shown_at_verdict = window().visible(Control::浏览器); };
  EXPECT_FALSE(window().visible(Control::浏览器));

  form().按钮立即检测->click();

  // By the not-indexed rate at 100%, both sentences are searched, one page after the other.
  for (const char* sentence : {"浏览器检测的第一句", "浏览器检测的第二句"}) {
    int searches = 0;
    for (const ReceivedRequest& request : site_engine().requests())
      searches += SearchSite::query_of(request) == sentence ? 1 : 0;
    EXPECT_EQ(searches, 1) << sentence;
  }
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text,
            gbk("根据当前设置检测，该文章属于原创文章！\r\n已检测 2 句，收录 0 句，未收录率 100%"));
  EXPECT_TRUE(browser_shown_at_verdict);
  EXPECT_FALSE(window().visible(Control::浏览器));
  EXPECT_FALSE(form().浏览器->findChildren<QWidget*>().isEmpty());
  EXPECT_EQ(window().text(Control::状态条), gbk("检测完毕！"));
  EXPECT_EQ(window().caption(Control::按钮立即检测), gbk("立即检测 >>>"));
}

}  // namespace

// Closing the window ends the program after browser mode as it does without it:
// the embedded browser neither keeps the event loop going nor hangs its end.
TEST_F(BrowserCheckRunTest, ClosingAfterABrowserCheckEndsTheProgram) {
  form().show();
  form().按钮立即检测->click();
  ASSERT_EQ(messages.size(), 1u);

  EXPECT_EQ(run_event_loop([&] { form().close(); }), 0);
  EXPECT_EQ(messages.size(), 1u);
}

TEST_F(BrowserCheckRunTest, ClosingWhileTheBrowserWaitsForItsPageEndsTheProgram) {
  // A page that never shows the sentence: the run keeps polling the browser.
  site_engine().serve(
      [](const ReceivedRequest&) { return html_reply("<html><body>页面加载中</body></html>", "utf-8"); });
  form().show();
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if (!site_engine().requests().empty() && form().isVisible()) form().close();
  });
  closer.start(10);

  EXPECT_EQ(run_event_loop([&] { form().按钮立即检测->click(); }), 0);
  EXPECT_TRUE(messages.empty());
  EXPECT_TRUE(objects().stop_requested);
}
