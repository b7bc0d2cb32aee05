#include "search/engine_query.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "check/check_record.h"
#include "check/html_report.h"
#include "search/engine_table.h"
#include "search/percent_encoding.h"
#include "support/gbk.h"
#include "support/regex_object.h"
#include "tests/testsupport/fake_window.h"
#include "tests/testsupport/http_proxy_environment.h"
#include "tests/testsupport/http_search_site.h"
#include "tests/testsupport/local_engine.h"

namespace {

// The engine hosts are reached only through the local engine as proxy ("指定代理").
class EngineQueryTest : public ::testing::Test {
 protected:
  EngineQueryTest() {
    tag_expression.set_pattern("<.*?>");
    window.set_selected_index(Control::组合框代理形式, 2);
    window.set_text(Control::编辑框IP, engine.address());
    window.set_text(Control::编辑框间隔秒, "0");
    engine.serve([this](const ReceivedRequest& request) { return site.answer(request); });
  }

  bool indexed(std::string_view utf8_sentence, int engine_index) {
    return outcome(utf8_sentence, engine_index) == SentenceOutcome::indexed;
  }
  SentenceOutcome outcome(std::string_view utf8_sentence, int engine_index) {
    return query.is_sentence_indexed(gbk(utf8_sentence), engine_index).outcome;
  }

  FakeWindow window;
  bool stop = false;
  RegexObject tag_expression;
  SearchSite site;
  LocalEngine engine;
  EngineQuery query{window, stop, tag_expression};
};

constexpr std::string_view kHeadersAfterHost =
    "Accept: */*\r\n"
    "Accept-Encoding: deflate, gzip, br, zstd\r\n"
    "Proxy-Connection: Keep-Alive\r\n"
    "Referer: http://HOST/\r\n"
    "Content-Type: application/x-www-form-urlencoded\r\n"
    "User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; SV1)\r\n";

struct EngineCase {
  std::string_view name;
  int index;
  std::string_view host;
  // The query "中<tab>文" as the engine receives it.
  std::string_view request_line;
};

const EngineCase kEngineCases[] = {
    {"Baidu", 0, "www.baidu.com", "GET http://www.baidu.com/s?wd=%D6%D0%09%CE%C4 HTTP/1.1"},
    {"So360", 1, "www.so.com", "GET http://www.so.com/s?q=%E4%B8%AD%09%E6%96%87 HTTP/1.1"},
    {"Soso", 2, "www.soso.com", "GET http://www.soso.com/q?w=%D6%D0%09%CE%C4 HTTP/1.1"},
    {"Google", 3, "www.google.com", "GET http://www.google.com/search?q=%E4%B8%AD%09%E6%96%87 HTTP/1.1"},
    {"Sogou", 4, "www.sogou.com", "GET http://www.sogou.com/web?query=%E4%B8%AD%09%E6%96%87 HTTP/1.1"},
    {"Bing", 5, "cn.bing.com", "GET http://cn.bing.com/search?q=%E4%B8%AD%09%E6%96%87 HTTP/1.1"},
};

void PrintTo(const EngineCase& engine_case, std::ostream* out) {
  *out << engine_case.name;
}

class EachEngineTest : public EngineQueryTest, public ::testing::WithParamInterface<EngineCase> {};

INSTANTIATE_TEST_SUITE_P(AllEngines, EachEngineTest, ::testing::ValuesIn(kEngineCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(EachEngineTest, SendsTheQueryWithTheFixedHeaders) {
  site.index("今天的新闻：中\t文出现在这里。");
  EXPECT_TRUE(indexed("中\t文", GetParam().index));

  const auto requests = engine.requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].request_line, GetParam().request_line);
  std::string headers = "Host: " + std::string(GetParam().host) + "\r\n" + std::string(kHeadersAfterHost);
  headers.replace(headers.find("HOST"), 4, GetParam().host);
  EXPECT_EQ(requests[0].header_bytes, headers);
}

TEST_P(EachEngineTest, SentenceOnlyEchoedOutsideTheResultListIsNotIndexed) {
  site.index("第一条结果的摘要文字");
  site.index("第二条结果的摘要文字");
  EXPECT_TRUE(indexed("第二条结果", GetParam().index));
  EXPECT_FALSE(indexed("没有收录的句子", GetParam().index));
  EXPECT_EQ(engine.requests().size(), 2u);
  EXPECT_TRUE(window.messages.empty());
}

// Today's pages also echo the query beside the list (360's side column), and name
// the result's site with a link in front of its title (Bing).
TEST_P(EachEngineTest, TodaysLayoutIsReadToo) {
  site.set_layout(PageLayout::current);
  site.index("第一条结果");
  site.index("今天的页面布局里的句子");
  const SentenceAnswer answer = query.is_sentence_indexed(gbk("页面布局里的句子"), GetParam().index);
  EXPECT_EQ(answer.outcome, SentenceOutcome::indexed);
  EXPECT_EQ(answer.result_link, "http://example.com/2");
  EXPECT_FALSE(indexed("不在列表里的句子", GetParam().index));
}

TEST_P(EachEngineTest, AttributeValuesWithoutQuotesAreReadByTheRetry) {
  site.set_layout(PageLayout::unquoted_ids);
  site.index("没有引号的页面里的句子");
  EXPECT_TRUE(indexed("没有引号的页面", GetParam().index));
  EXPECT_FALSE(indexed("不在列表里的句子", GetParam().index));
}

TEST_F(EngineQueryTest, TraditionalSentenceIsSearchedAndFoundInItsSimplifiedForm) {
  site.index("这是一个测试句子");
  EXPECT_TRUE(indexed("這是一個測試", 0));
  EXPECT_EQ(engine.requests().at(0).request_line,
            "GET http://www.baidu.com/s?wd=%D5%E2%CA%C7%D2%BB%B8%F6%B2%E2%CA%D4 HTTP/1.1");
}

TEST_F(EngineQueryTest, FullWidthLettersAndDigitsMatchTheirHalfWidthFormInAnyCase) {
  site.index("型号abc123的说明");
  EXPECT_TRUE(indexed("型号ＡＢＣ１２３的说明", 0));
  EXPECT_TRUE(indexed("型号ABC123的说明", 1));
  EXPECT_FALSE(indexed("型号ＡＢＣ１２４的说明", 0));
}

TEST_F(EngineQueryTest, BaiduListClosedByTheSecondEndMarker) {
  site.set_layout(PageLayout::second_variant);
  site.index("第二种结尾标记的页面");
  EXPECT_TRUE(indexed("结尾标记", 0));
  EXPECT_FALSE(indexed("不在列表里的句子", 0));
}

TEST_F(EngineQueryTest, SosoListWithoutItsCloseRunsToThePageEnd) {
  site.set_layout(PageLayout::list_without_end);
  site.index("没有结尾的列表");
  EXPECT_TRUE(indexed("没有结尾的列表", 2));
  site.set_layout(PageLayout::second_variant);
  EXPECT_TRUE(indexed("没有结尾的列表", 2));
}

TEST_F(EngineQueryTest, EngineIndexOutsideTheTableSendsNothingAndStopsWithAWarning) {
  site.index("任何句子");
  for (const int index : {-1, 6}) {
    SCOPED_TRACE(index);
    stop = false;
    window.messages.clear();
    EXPECT_EQ(outcome("任何句子", index), SentenceOutcome::stopped);
    EXPECT_TRUE(stop);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].icon, MessageIcon::warning);
  }
  EXPECT_TRUE(engine.requests().empty());
}

TEST_F(EngineQueryTest, SystemProxyChoiceUsesTheEnvironmentProxy) {
  const ScopedProxyEnvironment environment(engine.address());
  window.set_selected_index(Control::组合框代理形式, 1);
  site.index("系统代理");

  EXPECT_TRUE(indexed("系统代理", 4));
  EXPECT_EQ(engine.requests().at(0).host, "www.sogou.com");
}

TEST_F(EngineQueryTest, BaiduBlockWithAutomaticWaitShowsTheWaitAndAStopEndsIt) {
  window.set_checked(Control::选择框屏蔽等待, true);
  window.set_text(Control::编辑框等待分钟, "30");
  site.block_next(1);
  site.index("被屏蔽的句子");
  const std::string status = gbk("被百度屏蔽了，自动等待 30 分钟");
  int stop_round = 0;
  window.on_events = [&] {
    if (stop_round == 0 && window.text(Control::状态条) == status) {
      stop = true;
      stop_round = window.event_rounds;
    }
  };

  EXPECT_FALSE(indexed("被屏蔽的句子", 0));
  EXPECT_EQ(window.beeps, 1);
  EXPECT_EQ(window.text(Control::状态条), status);
  // The wait looks at the flag before every 10 ms slice.
  EXPECT_LE(window.event_rounds, stop_round + 1);
  EXPECT_EQ(engine.requests().size(), 1u);
  EXPECT_TRUE(window.messages.empty());
}

TEST_F(EngineQueryTest, BaiduBlockWithAutomaticWaitAsksAgainUntilTheResultsCome) {
  window.set_checked(Control::选择框屏蔽等待, true);
  window.set_text(Control::编辑框等待分钟, gbk("０"));
  site.block_next(2);
  site.index("终于等到的结果");

  EXPECT_TRUE(indexed("终于等到的结果", 0));
  EXPECT_EQ(window.beeps, 2);
  EXPECT_EQ(engine.requests().size(), 3u);
  EXPECT_EQ(window.text(Control::状态条), gbk("被百度屏蔽了，自动等待 ０ 分钟"));
}

TEST_F(EngineQueryTest, TodaysBlockPagesAreRecognised) {
  window.set_checked(Control::选择框屏蔽等待, true);
  window.set_text(Control::编辑框等待分钟, "0");
  site.index("安全验证之后的结果");
  site.block_next(1, BlockStyle::security_check);
  EXPECT_TRUE(indexed("安全验证之后的结果", 0));
  site.block_next(1, BlockStyle::captcha_redirect);
  EXPECT_TRUE(indexed("安全验证之后的结果", 0));

  EXPECT_EQ(window.beeps, 2);
  // The redirect tells enough: the captcha page itself is not asked for.
  const auto requests = engine.requests();
  EXPECT_EQ(requests.size(), 4u);
  EXPECT_TRUE(std::ranges::none_of(requests, [](const ReceivedRequest& request) {
    return request.host == "wappass.baidu.com";
  }));
}

TEST_F(EngineQueryTest, BaiduBlockPromptOkSearchesAgain) {
  site.block_next(1);
  site.index("验证码之后的结果");
  window.answers.push_back(MessageAnswer::ok);

  EXPECT_TRUE(indexed("验证码之后的结果", 0));
  EXPECT_EQ(window.raised, 1);
  ASSERT_EQ(window.messages.size(), 1u);
  const Message& prompt = window.messages[0];
  EXPECT_EQ(prompt.caption, gbk("信息："));
  EXPECT_EQ(prompt.buttons, MessageButtons::ok_cancel);
  EXPECT_TRUE(prompt.system_modal);
  EXPECT_EQ(
      prompt.text,
      gbk("程序检测到百度似乎出现了验证码，请在浏览器的百度页面输入验证码或更换IP（ADSL换IP或设置代理IP），"
          "再点击确定继续，否则请点击取消，程序将停止运行！\r\n\r\n"
          "（如果输入验证码不管用，请先点取消停止并关掉程序，大约半小时后再启动检测！）"));
  EXPECT_EQ(engine.requests().size(), 2u);
  EXPECT_EQ(window.beeps, 0);
}

TEST_F(EngineQueryTest, BaiduBlockPromptCancelStopsTheRun) {
  site.block_next(5);
  site.index("不会再问的句子");
  window.answers.push_back(MessageAnswer::cancel);

  EXPECT_FALSE(indexed("不会再问的句子", 0));
  EXPECT_TRUE(stop);
  EXPECT_EQ(engine.requests().size(), 1u);
  EXPECT_EQ(window.messages.size(), 1u);
}

TEST_F(EngineQueryTest, OtherEnginesDoNotLookForTheBaiduBlockPage) {
  site.block_next(1);
  site.index("搜狗的结果");
  window.answers.push_back(MessageAnswer::cancel);
  EXPECT_TRUE(indexed("搜狗的结果", 4));
  EXPECT_TRUE(window.messages.empty());
}

TEST_F(EngineQueryTest, FailedFetchIsTriedTwiceMoreThenTheRunStopsWithAWarning) {
  engine.serve([](const ReceivedRequest&) { return status_reply(503); });
  window.set_text(Control::编辑框间隔秒, "0.05");

  EXPECT_FALSE(indexed("引擎出错时的句子", 1));
  EXPECT_TRUE(stop);
  EXPECT_EQ(engine.requests().size(), 3u);
  // Two waits of the query interval, 5 slices of 10 ms each.
  EXPECT_GE(window.event_rounds, 10);
  ASSERT_EQ(window.messages.size(), 1u);
  const Message& warning = window.messages[0];
  EXPECT_EQ(warning.caption, gbk("信息："));
  EXPECT_EQ(warning.icon, MessageIcon::warning);
  EXPECT_EQ(warning.buttons, MessageButtons::ok);
  const std::string text = utf8_from_gbk(warning.text);
  EXPECT_NE(text.find("“360”"), std::string::npos) << text;
  EXPECT_NE(text.find("503"), std::string::npos) << text;
  EXPECT_NE(text.find("代理设置"), std::string::npos) << text;
}

TEST_F(EngineQueryTest, UnreachableProxyIsNamedInTheWarning) {
  int closed_port = 0;
  {
    LocalEngine gone;
    closed_port = gone.port();
  }
  window.set_text(Control::编辑框IP, "127.0.0.1:" + std::to_string(closed_port));

  EXPECT_FALSE(indexed("代理不通", 0));
  EXPECT_TRUE(stop);
  ASSERT_EQ(window.messages.size(), 1u);
  const std::string text = utf8_from_gbk(window.messages[0].text);
  EXPECT_NE(text.find("“百度”"), std::string::npos) << text;
  EXPECT_NE(text.find("代理服务器"), std::string::npos) << text;
}

TEST_F(EngineQueryTest, FetchThatSucceedsOnRetryAnswersNormally) {
  site.index("第二次才成功");
  int calls = 0;
  engine.serve([&](const ReceivedRequest& request) {
    return ++calls == 1 ? status_reply(500) : site.answer(request);
  });

  EXPECT_TRUE(indexed("第二次才成功", 3));
  EXPECT_FALSE(stop);
  EXPECT_TRUE(window.messages.empty());
  EXPECT_EQ(engine.requests().size(), 2u);
}

TEST_F(EngineQueryTest, StopDuringASlowTransferEndsTheQueryWithoutWarning) {
  engine.serve([](const ReceivedRequest&) {
    Reply reply = html_reply("<html>");
    reply.body_copies = 200;
    reply.pause_ms = 50;
    return reply;
  });
  window.on_events = [&] {
    if (window.event_rounds == 8) stop = true;
  };

  EXPECT_FALSE(indexed("慢慢来的页面", 0));
  EXPECT_EQ(window.event_rounds, 8);
  EXPECT_EQ(engine.requests().size(), 1u);
  EXPECT_TRUE(window.messages.empty());
}

TEST_F(EngineQueryTest, RedirectsOfEveryKindAreFollowed) {
  site.index("跳转之后的结果");
  for (const int status : {301, 302, 303, 307, 308}) {
    engine.serve([&](const ReceivedRequest& request) {
      if (request.path.starts_with("/moved"))
        return site.answer({.host = "www.so.com", .path = "/s?q=" + request.path.substr(6)});
      return redirect_reply(status,
                            "http://www.so.com/moved" + request.path.substr(request.path.find('=') + 1));
    });
    EXPECT_TRUE(indexed("跳转之后的结果", 1)) << status;
  }
  EXPECT_TRUE(window.messages.empty());
}

TEST_F(EngineQueryTest, CookiesSetOnOneHopGoWithTheNextHops) {
  site.index("带着饼干的结果");
  engine.serve([&](const ReceivedRequest& request) {
    if (request.header_bytes.find("Cookie: seen=1") != std::string::npos) return site.answer(request);
    Reply reply = redirect_reply(302, "http://www.sogou.com" + request.path);
    reply.headers += "Set-Cookie: seen=1; path=/\r\n";
    return reply;
  });
  EXPECT_TRUE(indexed("带着饼干的结果", 4));
  EXPECT_EQ(engine.requests().size(), 2u);
}

TEST_F(EngineQueryTest, FullWidthFormOnThePageMatchesToo) {
  site.index("北京某某科技公司（北京）有限公司成立于二〇〇一年");
  EXPECT_TRUE(indexed("公司（北京）有限公司", 0));
}

TEST_F(EngineQueryTest, LowerCaseSystemProxyVariableAloneIsHonoured) {
  const ScopedProxyEnvironment cleared(std::nullopt);
  setenv("http_proxy", engine.address().c_str(), 1);
  window.set_selected_index(Control::组合框代理形式, 1);
  site.index("小写的代理变量");
  EXPECT_TRUE(indexed("小写的代理变量", 4));
}

TEST_F(EngineQueryTest, StandardSimplifiedCharactersAreSearchedUnchanged) {
  site.index("乾隆 哪吒 蒜薹 发 国");
  EXPECT_TRUE(indexed("乾隆 哪吒 蒜薹 發 國", 0));
  EXPECT_EQ(engine.requests().at(0).request_line,
            "GET http://www.baidu.com/s?wd=" + percent_encode(gbk("乾隆 哪吒 蒜薹 发 国")) + " HTTP/1.1");
}

// Pages may write any character as an entity; the list is read as the browser shows it.
TEST_F(EngineQueryTest, CharactersWrittenAsEntitiesInTheListAreRead) {
  engine.serve([](const ReceivedRequest&) {
    return html_reply(
        "<div id=\"content_left\"><div class=\"result\"><h3><a "
        "href=\"http://a.example/\">&#20013;&#x6587;</a></h3>"
        "<p>&#x5F20;&#X4E09;&amp;&#26446;&#22235;&ldquo;&#21512;&#20249;&rdquo;&hellip;&amp;#20116;</p></"
        "div></div>"
        "<p id=\"page\" >");
  });
  for (const std::string_view sentence : {"张三&李四", "张三&李四“合伙”…", "“合伙”…&#20116;"}) {
    const SentenceAnswer answer = query.is_sentence_indexed(gbk(sentence), 0);
    EXPECT_EQ(answer.outcome, SentenceOutcome::indexed) << sentence;
    EXPECT_EQ(answer.result_title, gbk("中文")) << sentence;
  }
  EXPECT_EQ(outcome("张三&李四“合伙”…五", 0), SentenceOutcome::not_indexed);
}

// A page that is not a result list is told apart from a list without the sentence.
TEST_F(EngineQueryTest, PagesWithoutAListAreUnrecognisedUnlessTheySayNothingWasFound) {
  EXPECT_EQ(outcome("没有任何结果的句子", 3), SentenceOutcome::not_indexed);
  // The page echoes the query, which may itself hold the engine's "no results" wording.
  engine.serve([](const ReceivedRequest& request) {
    return html_reply("<html><head><title>" + SearchSite::query_of(request).value_or("") +
                          "_新版页面</title></head><body><div id=\"new\">结果</div></body></html>",
                      "utf-8");
  });
  for (int engine_index = 0; engine_at(engine_index) != nullptr; ++engine_index) {
    for (const std::string_view sentence : {"改版页面上的句子", "我们没有找到与此相关的证据"}) {
      EXPECT_EQ(outcome(sentence, engine_index), SentenceOutcome::unrecognised) << engine_index << sentence;
    }
  }
  EXPECT_FALSE(stop);
  EXPECT_TRUE(window.messages.empty());
}

struct UnusableAnswer {
  std::string_view name;
  int engine_index;
  Reply reply;
  std::string_view reason;  // in the warning
  int requests;             // to the engine, the verification pages not counted
  bool network_advice;      // the warning points to the network settings
};

void PrintTo(const UnusableAnswer& answer, std::ostream* out) {
  *out << answer.name;
}

constexpr std::string_view kVerificationReason = "”要求进行验证";
constexpr std::string_view kScriptReason = "谷歌现在只向能运行网页脚本的浏览器返回结果，请勾选浏览器模式检测后再试";

const UnusableAnswer kUnusableAnswers[] = {
    {"EmptyBody", 1, html_reply(""), "空白的网页", 3, false},
    {"ZeroByteFirst", 4, html_reply(std::string("\0<html>", 7)), "空白的网页", 3, false},
    {"NotFound", 5, status_reply(404), "错误状态 404", 3, false},
    {"ServerError", 5, status_reply(502), "错误状态 502", 3, true},
    {"TooManyRequests", 3, status_reply(429), kVerificationReason, 1, false},
    {"Forbidden", 1, status_reply(403), kVerificationReason, 1, false},
    {"RedirectToSorry", 3, redirect_reply(302, "http://www.google.com/sorry/index?continue=x"),
     kVerificationReason, 1, false},
    {"RedirectToAntispider", 4, redirect_reply(302, "http://www.sogou.com/antispider/?from=x"),
     kVerificationReason, 1, false},
    {"VerificationWording", 1,
     html_reply("<html><head><title>360安全验证</title></head><body>请输入验证码</body></html>", "utf-8"),
     kVerificationReason, 1, false},
    {"ScriptOnlyPage", 3,
     html_reply("<html><head><meta content=\"0;url=/httpservice/retry/enablejs?sei=x\" http-equiv=\"refresh\">"
                "</head><body></body></html>",
                "utf-8"),
     kScriptReason, 1, false},
    {"RedirectToScriptOnlyPage", 3, redirect_reply(302, "http://www.google.com/httpservice/retry/enablejs?sei=x"),
     kScriptReason, 1, false},
};

class UnusableAnswerTest : public EngineQueryTest, public ::testing::WithParamInterface<UnusableAnswer> {};

INSTANTIATE_TEST_SUITE_P(Answers, UnusableAnswerTest, ::testing::ValuesIn(kUnusableAnswers),
                         [](const auto& info) { return std::string(info.param.name); });

// An answer that is no readable result list stops the run with one warning naming
// the engine and why: a failed fetch after two more tries, a verification or a page
// for clients that run scripts at once, since asking again brings the same page.
TEST_P(UnusableAnswerTest, StopsTheRunWithOneWarningThatSaysWhatHelps) {
  engine.serve([](const ReceivedRequest& request) {
    // The verification pages themselves answer plainly.
    if (request.path.starts_with("/sorry/") || request.path.starts_with("/antispider/") ||
        request.path.starts_with("/httpservice/"))
      return html_reply("<html><body>please wait</body></html>", "utf-8");
    return GetParam().reply;
  });
  site.index("任何句子");
  EXPECT_EQ(outcome("任何句子", GetParam().engine_index), SentenceOutcome::fetch_failed);
  EXPECT_TRUE(stop);
  ASSERT_EQ(window.messages.size(), 1u);
  const std::string text = utf8_from_gbk(window.messages[0].text);
  EXPECT_NE(text.find(engine_at(GetParam().engine_index)->caption), std::string::npos) << text;
  EXPECT_NE(text.find(GetParam().reason), std::string::npos) << text;
  EXPECT_EQ(text.find("网络") != std::string::npos, GetParam().network_advice) << text;
  EXPECT_EQ(engine.requests().size(), static_cast<size_t>(GetParam().requests));
}

}  // namespace

// A result page that tries to run script in the report, to plant a formula, or to
// leave its link's attribute; and a query Google is sent unescaped.
TEST_F(EngineQueryTest, AHostileResultStaysInertInTheReport) {
  engine.serve([](const ReceivedRequest& request) {
    if (request.path.starts_with("/search"))
      return html_reply("<html><body>did not match any documents</body></html>", "utf-8");
    return html_reply(
        gbk("<div id=\"content_left\"><div class=\"result\"><h3><a href=\"javascript:alert(1)\">"
            "=HYPERLINK(\"http://x\")&lt;script&gt;alert(2)&lt;/script&gt;&amp;lt;b&amp;gt;</a></h3>"
            "<p>敌意页面里的句子</p></div>"
            "<div class=\"result\"><h3><a data-href=\"http://a.invalid/\" "
            "href=\"http://b.invalid/?q=&quot;onmouseover=alert(3)&amp;x=&#39;&lt;&gt;\">链接</a></h3>"
            "<p>引号链接里的句子</p></div></div><p id=\"page\" >"));
  });
  CheckRecord record{.title = gbk("<script>alert(4)</script>")};
  for (const auto& [sentence, engine_index] :
       {std::pair{"敌意页面里的句子", 0}, {"引号链接里的句子", 0}, {"谷歌\"onmouseover=alert(5)'<b>", 3}}) {
    record.searched.push_back({.is_title = record.searched.empty(),
                               .sentence = gbk(sentence),
                               .answer = query.is_sentence_indexed(gbk(sentence), engine_index)});
  }
  const SentenceAnswer& answer = record.searched[0].answer;
  ASSERT_EQ(answer.outcome, SentenceOutcome::indexed);
  EXPECT_EQ(answer.result_link, "javascript:alert(1)");
  EXPECT_EQ(utf8_from_gbk(answer.result_title), "=HYPERLINK(\"http://x\")<script>alert(2)</script>&lt;b&gt;");
  // The link is the href attribute's, not that of one whose name only ends so.
  EXPECT_EQ(record.searched[1].answer.result_link, "http://b.invalid/?q=\"onmouseover=alert(3)&x='<>");
  ASSERT_EQ(record.searched[2].answer.outcome, SentenceOutcome::not_indexed);

  const std::string html = html_report(record);
  EXPECT_EQ(html.find("<script"), std::string::npos);
  EXPECT_EQ(html.find("javascript:"), std::string::npos);
  EXPECT_NE(html.find("=HYPERLINK(&quot;http://x&quot;)&lt;script&gt;alert(2)"), std::string::npos);
  EXPECT_NE(html.find("&lt;script&gt;alert(4)"), std::string::npos);
  // Addresses are escaped inside the attribute too, and written in the report's UTF-8.
  EXPECT_EQ(html.find("\"onmouseover"), std::string::npos) << html;
  EXPECT_NE(html.find("<a href=\"http://b.invalid/?q=&quot;onmouseover=alert(3)&amp;x=&#39;&lt;&gt;\""),
            std::string::npos)
      << html;
  EXPECT_NE(html.find("<a href=\"http://www.google.com/search?q=谷歌&quot;onmouseover=alert(5)&#39;&lt;b&gt;\""),
            std::string::npos)
      << html;
}
