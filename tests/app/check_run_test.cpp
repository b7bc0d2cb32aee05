#include <gtest/gtest.h>

#include <QPushButton>
#include <QTimer>
#include <set>

#include "support/detection_settings.h"
#include "support/gbk.h"
#include "tests/app/main_window_fixture.h"
#include "tests/testsupport/file_bytes.h"
#include "tests/testsupport/http_search_site.h"
#include "tests/testsupport/local_engine.h"
#include "tests/testsupport/saved_pages.h"

namespace {

const char* const kSentences[] = {"第一句检测文字", "第二句检测文字", "第三句检测文字"};

// The check button clicked in a window whose settings come from 主配置.ini:
// content check by the not-indexed rate, Baidu reached through the local engine
// as the named proxy, plain HTTP.
class CheckRunTest : public MainWindowTest {
 protected:
  static constexpr const char* kSampling = "句数=3\r\n最少字数=2\r\n判断比例=60\r\n";
  // `sampling` stands for the sampling settings; `more` is further lines of the file
  // (UTF-8, CR LF).
  void open_with_interval(const std::string& seconds, const std::string& sampling = kSampling,
                          const std::string& more = {}) {
    write_file_bytes(configuration_path(),
                     gbk("[基本配置]\r\n检测标题=假\r\n检测内容=真\r\n" + sampling +
                         "按收录率判断非原创=假\r\n间隔秒=" + seconds +
                         "\r\n引擎=0\r\n代理形式=2\r\nIP=" + engine.address() + "\r\n浏览器模式检测=假\r\n" +
                         more));
    open_window();
    window().set_text(Control::编辑框标题, gbk("标题"));
    window().set_text(Control::编辑框内容,
                      gbk(std::string(kSentences[0]) + "。" + kSentences[1] + "。" + kSentences[2] + "。"));
  }

  // The sentences the engine was asked for, in order, as UTF-8.
  std::vector<std::string> queries() const {
    std::vector<std::string> asked;
    for (const ReceivedRequest& request : engine.requests()) {
      EXPECT_EQ(request.host, "www.baidu.com");
      asked.push_back(SearchSite::query_of(request).value_or("?"));
    }
    return asked;
  }

  SearchSite site;
  LocalEngine engine{[this](const ReceivedRequest& request) { return site.answer(request); }};
};

}  // namespace

TEST_F(CheckRunTest, ClickChecksTheArticleAndShowsTheVerdict) {
  open_with_interval("0.1");
  std::string caption_during_run;
  std::string status_at_verdict;
  on_message = [&](const Message&) {
    caption_during_run = window().caption(Control::按钮立即检测);
    status_at_verdict = window().text(Control::状态条);
  };

  form().按钮立即检测->click();

  // Nothing is indexed: by the not-indexed rate two of three sentences reach 60%.
  const std::vector<std::string> asked = queries();
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_NE(asked[0], asked[1]);
  const std::set<std::string> sentences(std::begin(kSentences), std::end(kSentences));
  EXPECT_TRUE(sentences.contains(asked[0]) && sentences.contains(asked[1]));
  EXPECT_EQ(engine.requests()[0].request_line.substr(0, 11), "GET http://");

  ASSERT_EQ(messages.size(), 1u);
  // The box names the report, written before it showed.
  const std::string verdict =
      gbk("根据当前设置检测，该文章属于原创文章！\r\n已检测 2 句，收录 0 句，未收录率 66.67%\r\n检测报告：");
  ASSERT_TRUE(messages[0].text.starts_with(verdict)) << utf8_from_gbk(messages[0].text);
  const std::optional<std::filesystem::path> report = objects().reports.newest_report();
  ASSERT_TRUE(report);
  EXPECT_EQ(utf8_from_gbk(messages[0].text.substr(verdict.size())), report->filename().string());
  EXPECT_EQ(messages[0].icon, MessageIcon::information);
  EXPECT_EQ(caption_during_run, gbk("点击停止检测！"));
  EXPECT_EQ(status_at_verdict,
            gbk("【检测报告】句子总数 3;正检测第 2 个句子;当前未收录率 66.67%;正检测 >>> ") + gbk(asked[1]));
  EXPECT_EQ(window().text(Control::状态条), gbk("检测完毕！"));
  EXPECT_EQ(window().caption(Control::按钮立即检测), gbk("立即检测 >>>"));
  EXPECT_TRUE(window().enabled(Control::按钮选择文件));
  EXPECT_TRUE(window().enabled(Control::按钮选择文件夹));
}

// Five of ten pieces long enough, one answered by a page without a result list, the
// others not indexed: 50 % with that page, 40 % without, and nothing left to search.
TEST_F(CheckRunTest, SentencesRunningOutWithOnlyAnUnreadPageToDecideGiveNoVerdict) {
  open_with_interval("0", "句数=10\r\n最少字数=4\r\n判断比例=50\r\n");
  window().set_text(Control::编辑框内容,
                    gbk("第一句检测文字。第二句检测文字。第三句检测文字。第四句检测文字。"
                        "第五句检测文字。短。短。短。短。短。"));
  engine.serve([this](const ReceivedRequest& request) {
    if (SearchSite::query_of(request) != "第三句检测文字") return site.answer(request);
    return html_reply("<html><head><title>改版</title></head><body><div id=\"new\">结果</div></body></html>",
                      "utf-8");
  });

  form().按钮立即检测->click();

  EXPECT_EQ(queries().size(), 5u);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(messages[0].text.starts_with(gbk("无法识别搜索引擎的结果页：结论取决于结果页无法识别的句子，")))
      << utf8_from_gbk(messages[0].text);
  EXPECT_EQ(messages[0].icon, MessageIcon::warning);
}

TEST_F(CheckRunTest, SecondClickDuringTheIntervalStopsWithoutVerdict) {
  open_with_interval("5");
  std::string caption_after_stop;
  // The run waits 5 s before its second search; the second click comes well before.
  QTimer::singleShot(300, [&] {
    form().按钮立即检测->click();
    caption_after_stop = window().caption(Control::按钮立即检测);
  });

  form().按钮立即检测->click();

  EXPECT_EQ(queries().size(), 1u);  // the first turn never waits
  EXPECT_EQ(caption_after_stop, gbk("停止中..."));
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(window().text(Control::状态条), gbk("检测完毕！"));
  EXPECT_EQ(window().caption(Control::按钮立即检测), gbk("立即检测 >>>"));
}

TEST_F(CheckRunTest, ClosingTheWindowDuringTheRunStopsItAndEndsTheProgram) {
  open_with_interval("30");
  form().show();
  size_t queries_at_close = 0;
  // Closes the window once the first search has reached the engine: during that
  // search or the long interval after it.
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if (engine.requests().empty() || !form().isVisible()) return;
    queries_at_close = engine.requests().size();
    form().close();
  });
  closer.start(10);

  const int exit_code = run_event_loop([&] { form().按钮立即检测->click(); });

  EXPECT_EQ(exit_code, 0);
  EXPECT_EQ(queries_at_close, 1u);
  EXPECT_EQ(engine.requests().size(), queries_at_close);
  EXPECT_TRUE(messages.empty());
  EXPECT_NE(read_file_bytes(configuration_path()).find(gbk("间隔秒=30")), std::string::npos);
}

TEST_F(CheckRunTest, TheSameArticleCheckedAgainAsksNothingUnlessTheCacheIsOff) {
  open_with_interval("0");
  form().按钮立即检测->click();
  ASSERT_EQ(queries().size(), 2u);
  form().按钮立即检测->click();
  EXPECT_EQ(queries().size(), 2u);
  ASSERT_EQ(messages.size(), 2u);
  const std::string verdict = gbk(
      "根据当前设置检测，该文章属于原创文章！\r\n已检测 2 句，收录 0 句，未收录率 66.67%，2 句用了缓存的结果\r\n");
  EXPECT_TRUE(messages[1].text.starts_with(verdict)) << utf8_from_gbk(messages[1].text);
  // The report says when the engine gave them.
  const std::optional<std::filesystem::path> report = objects().reports.newest_report();
  ASSERT_TRUE(report);
  EXPECT_NE(read_file_bytes(*report).find("<span class=\"cached\">缓存，"), std::string::npos);

  open_with_interval("0", kSampling, "[结果缓存]\r\n启用=假\r\n");
  form().按钮立即检测->click();
  form().按钮立即检测->click();
  EXPECT_EQ(queries().size(), 6u);
  // Read, never written: a save keeps the section as it was.
  ASSERT_TRUE(save_settings(window(), objects().settings_store).written());
  EXPECT_NE(read_file_bytes(configuration_path()).find(gbk("[结果缓存]\r\n启用=假\r\n")), std::string::npos);
}

// The real pages engines send a program like this one instead of results: one box
// that names the cause, no verdict, and no advice about the network.
TEST_F(CheckRunTest, RobotPagesEndTheCheckWithOneBoxThatNamesTheCause) {
  if (!std::filesystem::is_directory(kSavedPagesFolder))
    GTEST_SKIP() << "no saved pages at " << kSavedPagesFolder;
  open_with_interval("0");
  window().set_checked(Control::选择框屏蔽等待, false);
  answer = MessageAnswer::cancel;
  for (const RobotPage& robot : kRobotPages) {
    SCOPED_TRACE(robot.file);
    messages.clear();
    const std::string page = read_file_bytes(kSavedPagesFolder / robot.file);
    engine.serve([page](const ReceivedRequest&) { return html_reply(page, "utf-8"); });
    window().set_selected_index(Control::组合框引擎, robot.engine_index);
    const size_t asked_before = engine.requests().size();

    form().按钮立即检测->click();

    EXPECT_EQ(engine.requests().size(), asked_before + 1);
    ASSERT_EQ(messages.size(), 1u);
    const std::string box = utf8_from_gbk(messages[0].text);
    EXPECT_NE(box.find(robot.message), std::string::npos) << box;
    EXPECT_EQ(box.find("网络"), std::string::npos) << box;
    EXPECT_EQ(window().text(Control::状态条), gbk("检测完毕！"));
  }
}
