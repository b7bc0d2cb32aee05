#include <gtest/gtest.h>

#include <QTimer>
#include <QWidget>
#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <thread>

#include "app/main_form.h"
#include "app/qt_window.h"
#include "search/browser_page_fetch.h"
#include "search/engine_query.h"
#include "search/engine_table.h"
#include "support/gbk.h"
#include "support/regex_object.h"
#include "tests/testsupport/http_search_site.h"
#include "tests/webengine/site_engine.h"

namespace {

// The Qt window with the loads and reads of the browser's page counted, and the
// reads shown to the test.
class CountingWindow : public QtWindow {
 public:
  using QtWindow::QtWindow;

  void navigate_browser(const std::string& url) override {
    ++loads;
    QtWindow::navigate_browser(url);
  }

  std::string browser_document_text(const std::string& property) override {
    ++reads;
    std::string text = QtWindow::browser_document_text(property);
    if (on_read) on_read(text);
    return text;
  }

  int loads = 0;
  int reads = 0;
  std::function<void(const std::string&)> on_read;
};

// A page that never shows any sentence.
Reply waiting_page(const ReceivedRequest&) {
  return html_reply("<html><head><title>请稍候</title></head><body>页面加载中</body></html>", "utf-8");
}

// The real browser of a main form, with the local engine playing the search
// engines. Pages are polled every 20 ms, so the 101 polls before the time-out
// prompt take seconds, not minutes.
class BrowserFetchTest : public ::testing::Test {
 protected:
  static constexpr int kTestPollMs = 20;

  BrowserFetchTest() {
    tag_expression.set_pattern("<.*?>");
    window.set_checked(Control::选择框浏览器模式检测, true);
    window.set_message_answerer([this](const Message& message) {
      messages.push_back(message);
      if (answers.empty()) return MessageAnswer::cancel;
      const MessageAnswer answer = answers.front();
      answers.pop_front();
      return answer;
    });
    // The engine outlives the test and may still answer its browser: the handler
    // owns what it uses.
    site_engine().serve([site = site](const ReceivedRequest& request) { return site->answer(request); });
  }

  ~BrowserFetchTest() override { site_engine().serve({}); }

  std::string fetch_from_baidu(std::string_view utf8_sentence) {
    const std::string sentence = gbk(utf8_sentence);
    return fetch.fetch_page_browser(query_url(*engine_at(0), sentence), sentence, *engine_at(0)).text;
  }

  // The searches for a sentence that reached the engine, in order.
  static std::vector<ReceivedRequest> searches_for(std::string_view utf8_sentence) {
    std::vector<ReceivedRequest> searches;
    for (const ReceivedRequest& request : site_engine().requests()) {
      if (SearchSite::query_of(request) == utf8_sentence) searches.push_back(request);
    }
    return searches;
  }

  MainForm form;
  CountingWindow window{form};
  bool stop = false;
  RegexObject tag_expression;
  std::shared_ptr<SearchSite> site = std::make_shared<SearchSite>();
  BrowserPageFetch fetch{window, stop, kTestPollMs};
  std::vector<Message> messages;
  std::deque<MessageAnswer> answers;
};

TEST_F(BrowserFetchTest, ViewIsCreatedAtTheFirstNavigationOnly) {
  EXPECT_EQ(window.browser_document_text("outerHTML"), "");
  EXPECT_TRUE(form.浏览器->findChildren<QWidget*>().isEmpty());

  site->index("第一次导航的句子");
  fetch_from_baidu("第一次导航的句子");
  EXPECT_FALSE(form.浏览器->findChildren<QWidget*>().isEmpty());
}

TEST_F(BrowserFetchTest, ResultPageShowingTheSentenceIsAnalysedAsIndexed) {
  site->index("今天的新闻：浏览器里的句子出现在这里。");
  EngineQuery query{window, stop, tag_expression, kTestPollMs};

  EXPECT_TRUE(query.is_sentence_indexed(gbk("浏览器里的句子"), 0).indexed());
  // The page of an unknown sentence shows it in its title and search box only.
  EXPECT_FALSE(query.is_sentence_indexed(gbk("没有收录的浏览器句子"), 0).indexed());
  // 360's pages are UTF-8.
  EXPECT_TRUE(query.is_sentence_indexed(gbk("浏览器里的句子"), 1).indexed());

  const std::vector<ReceivedRequest> searches = searches_for("浏览器里的句子");
  ASSERT_EQ(searches.size(), 2u);
  EXPECT_EQ(searches[0].request_line,
            "GET http://www.baidu.com/s?wd=%E4%AF%C0%C0%C6%F7%C0%EF%B5%C4%BE%E4%D7%D3 HTTP/1.1");
  EXPECT_EQ(
      searches[1].request_line,
      "GET http://www.so.com/s?q=%E6%B5%8F%E8%A7%88%E5%99%A8%E9%87%8C%E7%9A%84%E5%8F%A5%E5%AD%90 HTTP/1.1");
  EXPECT_EQ(searches_for("没有收录的浏览器句子").size(), 1u);
  EXPECT_TRUE(messages.empty());
  EXPECT_FALSE(stop);
}

TEST_F(BrowserFetchTest, PreviousPageIsNotTakenForTheNextOne) {
  // The first page shows the next sentence too; the next page is slow to come.
  site_engine().serve([](const ReceivedRequest& request) {
    if (SearchSite::query_of(request) == "先前页面的句子")
      return html_reply("<html><body>先前页面的句子，后来页面的句子</body></html>", "utf-8");
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    return html_reply("<html><body>第二页：后来页面的句子</body></html>", "utf-8");
  });
  fetch_from_baidu("先前页面的句子");

  EXPECT_NE(fetch_from_baidu("后来页面的句子").find(gbk("第二页")), std::string::npos);
}

TEST_F(BrowserFetchTest, DocumentTextsOfTheShownPage) {
  site->index("页面文字的句子");
  fetch_from_baidu("页面文字的句子");

  const std::string text = window.browser_document_text("innerText");
  EXPECT_NE(text.find(gbk("页面文字的句子")), std::string::npos);
  EXPECT_NE(text.find(gbk("下一页")), std::string::npos);
  EXPECT_EQ(text.find('<'), std::string::npos);
  EXPECT_EQ(window.browser_document_text("title"), gbk("页面文字的句子 - 搜索结果"));
  EXPECT_EQ(window.browser_document_text("URL"),
            "http://www.baidu.com/s?wd=%D2%B3%C3%E6%CE%C4%D7%D6%B5%C4%BE%E4%D7%D3");
  EXPECT_EQ(window.browser_document_text("noSuchProperty"), "");
  const std::string markup = window.browser_document_text("outerHTML");
  EXPECT_EQ(markup.rfind("<html><head>", 0), 0u);
  EXPECT_NE(markup.find(gbk("<title>页面文字的句子 - 搜索结果</title>")), std::string::npos);
}

TEST_F(BrowserFetchTest, NoAtTheTimeOutPromptReturnsTheLastMarkup) {
  site_engine().serve(waiting_page);
  answers = {MessageAnswer::no};

  const std::string page = fetch_from_baidu("等不到的句子一");

  EXPECT_NE(page.find(gbk("页面加载中")), std::string::npos);
  EXPECT_EQ(window.reads, 101);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].buttons, MessageButtons::yes_no_cancel);
  EXPECT_FALSE(stop);
  // The first load, and again at polls 10, 20, ..., 100. (The engine may see fewer:
  // a load that replaces one still under way can cancel its request.)
  EXPECT_EQ(window.loads, 11);
}

TEST_F(BrowserFetchTest, YesWaitsAnotherHundredPollsAndCancelStopsTheRun) {
  site_engine().serve(waiting_page);
  answers = {MessageAnswer::yes, MessageAnswer::cancel};

  const std::string page = fetch_from_baidu("等不到的句子二");

  EXPECT_NE(page.find(gbk("页面加载中")), std::string::npos);
  EXPECT_EQ(window.reads, 202);
  EXPECT_EQ(messages.size(), 2u);
  EXPECT_TRUE(stop);
  EXPECT_EQ(window.loads, 21);
}

TEST_F(BrowserFetchTest, StopEndsTheFetchBeforeTheNextRead) {
  site_engine().serve(waiting_page);
  int reads_at_stop = -1;
  // As a stop click would, while the fetch waits once the page has come: how long
  // the page takes to come depends on the machine.
  window.on_read = [&](const std::string& text) {
    if (reads_at_stop >= 0 || text.find(gbk("页面加载中")) == std::string::npos) return;
    reads_at_stop = 0;
    QTimer::singleShot(kTestPollMs / 2, [&] {
      stop = true;
      reads_at_stop = window.reads;
    });
  };

  const std::string page = fetch_from_baidu("停下来的句子");

  EXPECT_GT(reads_at_stop, 0);
  EXPECT_EQ(window.reads, reads_at_stop);
  EXPECT_NE(page.find(gbk("页面加载中")), std::string::npos);
  EXPECT_TRUE(messages.empty());
}

TEST_F(BrowserFetchTest, LongSentenceIsFoundByItsFirstThirtyCharacters) {
  // The page shows the query's first 30 characters and none of the rest.
  site_engine().serve([](const ReceivedRequest& request) {
    const QString query = QString::fromStdString(SearchSite::query_of(request).value_or(""));
    return html_reply("<html><body><p>" + query.left(30).toStdString() + "</p></body></html>", "utf-8");
  });
  const std::string first_30 = "一二三四五六七八九十ab三四五六七八九十一二三四五六七八九十";

  const std::string page = fetch_from_baidu(first_30 + "甲乙丙丁戊己庚辛壬癸");

  EXPECT_NE(page.find(gbk(first_30)), std::string::npos);
  EXPECT_EQ(page.find(gbk("甲")), std::string::npos);
  EXPECT_TRUE(messages.empty());
}

TEST_F(BrowserFetchTest, FullWidthSentenceIsFoundInItsHalfWidthForm) {
  site_engine().serve([](const ReceivedRequest&) {
    return html_reply("<html><body><p>型号ABC123的说明</p></body></html>", "utf-8");
  });

  const std::string page = fetch_from_baidu("型号ＡＢＣ１２３的说明");

  EXPECT_NE(page.find(gbk("型号ABC123的说明")), std::string::npos);
  EXPECT_TRUE(messages.empty());
}

}  // namespace
