#include <gtest/gtest.h>

#include "search/engine_query.h"
#include "support/gbk.h"
#include "support/regex_object.h"
#include "tests/testsupport/fake_window.h"
#include "tests/testsupport/http_search_site.h"
#include "tests/testsupport/local_engine.h"

namespace {

// The request a browser sends for an absolute http address.
ReceivedRequest request_for(const std::string& url) {
  const size_t host_start = url.find("://") + 3;
  const size_t path_start = url.find('/', host_start);
  return {.method = "GET",
          .target = url,
          .host = url.substr(host_start, path_start - host_start),
          .path = url.substr(path_start),
          .absolute_target = true};
}

// Browser mode against a browser that shows the local search site's page for
// the address it was sent to last. The HTTP fetch would go to the local engine.
class EngineQueryBrowserTest : public ::testing::Test {
 protected:
  EngineQueryBrowserTest() {
    tag_expression.set_pattern("<.*?>");
    window.set_checked(Control::选择框浏览器模式检测, true);
    window.set_selected_index(Control::组合框代理形式, 2);
    window.set_text(Control::编辑框IP, engine.address());
    window.set_text(Control::编辑框间隔秒, "0");
    engine.serve([this](const ReceivedRequest& request) { return site.answer(request); });
    // Baidu's pages are GBK, as the browser's text comes to the core.
    window.browser_document = [this](const std::string&) {
      return site.answer(request_for(window.browser_navigations.back())).body;
    };
  }

  bool indexed(std::string_view utf8_sentence) {
    return query.is_sentence_indexed(gbk(utf8_sentence), 0).indexed();
  }

  FakeWindow window;
  bool stop = false;
  RegexObject tag_expression;
  SearchSite site;
  LocalEngine engine;
  EngineQuery query{window, stop, tag_expression, 10};
};

TEST_F(EngineQueryBrowserTest, PageShownInTheBrowserIsAnalysed) {
  site.index("今天的新闻：浏览器里的句子出现在这里。");
  EXPECT_TRUE(indexed("浏览器里的句子"));
  // The page shows an unknown sentence in its title and search box, which ends the
  // polling, but not in its result list.
  EXPECT_FALSE(indexed("没有收录的句子"));

  EXPECT_EQ(
      window.browser_navigations,
      (std::vector<std::string>{"http://www.baidu.com/s?wd=%E4%AF%C0%C0%C6%F7%C0%EF%B5%C4%BE%E4%D7%D3",
                                "http://www.baidu.com/s?wd=%C3%BB%D3%D0%CA%D5%C2%BC%B5%C4%BE%E4%D7%D3"}));
  EXPECT_EQ(window.browser_reads, 2);
  EXPECT_TRUE(engine.requests().empty());
  EXPECT_TRUE(window.messages.empty());
}

TEST_F(EngineQueryBrowserTest, ModeIsReadAtEveryQuery) {
  site.index("模式切换的句子");
  EXPECT_TRUE(indexed("模式切换的句子"));
  window.set_checked(Control::选择框浏览器模式检测, false);
  EXPECT_TRUE(indexed("模式切换的句子"));
  EXPECT_EQ(window.browser_navigations.size(), 1u);
  EXPECT_EQ(engine.requests().size(), 1u);
}

TEST_F(EngineQueryBrowserTest, CancelAtTheTimeOutPromptStopsTheRun) {
  window.browser_document = [](const std::string&) { return std::string("<html>no answer</html>"); };
  window.answers = {MessageAnswer::cancel};
  EXPECT_FALSE(indexed("等不到的句子"));
  EXPECT_TRUE(stop);
  EXPECT_EQ(window.messages.size(), 1u);
}

TEST_F(EngineQueryBrowserTest, SkippedSentenceIsNotIndexedAndTheRunGoesOn) {
  site.index("跳过的句子");
  window.browser_document = [](const std::string&) { return std::string("<html>no answer</html>"); };
  window.answers = {MessageAnswer::no};
  EXPECT_FALSE(indexed("跳过的句子"));
  EXPECT_FALSE(stop);
  EXPECT_EQ(window.messages.size(), 1u);
}

}  // namespace
