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

// Google's page for clients without script sends a browser on to the results by
// script: the browser waits for them instead of giving up as the HTTP fetch does.
TEST_F(EngineQueryBrowserTest, GooglePageForClientsWithoutScriptIsWaitedThrough) {
  site.index("脚本之后的结果");
  site.set_charset(PageCharset::gbk);
  window.browser_document = [this](const std::string&) {
    if (window.browser_reads <= 2) {
      return std::string(
          "<html><head><title>Google Search</title></head><body><noscript><meta content=\"0;url=/httpservice/"
          "retry/enablejs?sei=x\" http-equiv=\"refresh\"></noscript><script>var s=1;</script></body></html>");
    }
    return site.answer(request_for(window.browser_navigations.back())).body;
  };

  EXPECT_TRUE(query.is_sentence_indexed(gbk("脚本之后的结果"), 3).indexed());
  EXPECT_EQ(window.browser_reads, 3);
  EXPECT_TRUE(window.messages.empty());
  EXPECT_FALSE(stop);
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

// The pages engines show a suspected robot; in the browser the user can answer them.
struct VerificationPage {
  std::string_view name;
  int engine_index;
  std::string_view caption;
  std::string_view page_utf8;
};

const VerificationPage kVerificationPages[] = {
    {"GoogleSorry", 3, "谷歌",
     "<html><head><title>https://www.google.com/search</title></head><body>Our systems have detected unusual "
     "traffic from your computer network.</body></html>"},
    {"SogouAntispider", 4, "搜狗",
     "<html><head><title>搜狗搜索</title></head><body>用户您好，我们的系统检测到您网络中存在异常访问请求。"
     "此验证码用于确认这些请求是您的正常行为而不是自动程序发出的。</body></html>"},
    {"So360", 1, "360", "<html><head><title>360安全验证</title></head><body>请输入验证码</body></html>"},
    // The challenge echoes the query in its title and search box.
    {"BingChallenge", 5, "必应",
     "<html><head><title>验证之后的结果 - Search</title><style>#b_results{display:none}</style></head><body>"
     "<input value=\"验证之后的结果\"><div class=\"captcha\"><div "
     "class=\"captcha_header\">最后一步</div></div>"
     "<script>var CfConfig={verifyEndpoint:\"https://cn.bing.com/challenge/verify?partner=7\"};</script>"
     "</body></html>"},
};

class VerificationInTheBrowserTest : public EngineQueryBrowserTest,
                                     public ::testing::WithParamInterface<VerificationPage> {};

INSTANTIATE_TEST_SUITE_P(Engines, VerificationInTheBrowserTest, ::testing::ValuesIn(kVerificationPages),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(VerificationInTheBrowserTest, GetsTheCaptchaPromptAndOkSearchesAgain) {
  site.index("验证之后的结果");
  // The browser hands the core GBK text, whatever the engine's own charset.
  site.set_charset(PageCharset::gbk);
  window.browser_document = [this](const std::string&) {
    if (window.browser_navigations.size() == 1) return gbk(GetParam().page_utf8);
    return site.answer(request_for(window.browser_navigations.back())).body;
  };
  window.answers = {MessageAnswer::ok};

  EXPECT_TRUE(query.is_sentence_indexed(gbk("验证之后的结果"), GetParam().engine_index).indexed());
  EXPECT_EQ(window.browser_navigations.size(), 2u);
  ASSERT_EQ(window.messages.size(), 1u);
  const Message& prompt = window.messages[0];
  EXPECT_EQ(prompt.buttons, MessageButtons::ok_cancel);
  EXPECT_TRUE(utf8_from_gbk(prompt.text)
                  .starts_with("程序检测到" + std::string(GetParam().caption) + "似乎出现了验证码"))
      << utf8_from_gbk(prompt.text);
  EXPECT_FALSE(stop);
}

}  // namespace
