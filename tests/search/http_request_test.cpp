#include "search/http_request.h"

#include <gtest/gtest.h>

#include "support/gbk.h"
#include "tests/testsupport/fake_window.h"
#include "tests/testsupport/local_engine.h"

namespace {

constexpr size_t kMebibyte = size_t{1} << 20;

class HttpRequestTest : public ::testing::Test {
 protected:
  // A request that goes nowhere but to the local engine, whatever its URL names.
  HttpRequest& through_engine(HttpRequest& request) {
    request.SetProxy(HttpRequest::kNamedProxy, engine.address(), "");
    return request;
  }

  FakeWindow window;
  bool stop = false;
  LocalEngine engine;
};

TEST_F(HttpRequestTest, OpenPutsHttpInFrontOfAnAddressWithoutScheme) {
  engine.serve([](const ReceivedRequest&) { return html_reply("hello"); });
  HttpRequest request(window, stop);
  request.Open("GET", engine.address() + "/page?x=1");
  request.Send();

  EXPECT_EQ(request.Failure(), HttpFailure::none);
  EXPECT_EQ(request.Status(), 200);
  EXPECT_EQ(request.ResponseBody(), "hello");
  ASSERT_EQ(engine.requests().size(), 1u);
  EXPECT_EQ(engine.requests()[0].request_line, "GET /page?x=1 HTTP/1.1");
}

TEST_F(HttpRequestTest, OpenKeepsASchemeWrittenInUpperCase) {
  HttpRequest request(window, stop);
  request.Open("GET", "HTTP://" + engine.address() + "/upper");
  request.Send();

  EXPECT_EQ(request.Status(), 404);
  ASSERT_EQ(engine.requests().size(), 1u);
  EXPECT_EQ(engine.requests()[0].path, "/upper");
}

TEST_F(HttpRequestTest, SendsHeadersInTheOrderTheyWereSet) {
  HttpRequest request(window, stop);
  request.Open("GET", engine.url("/"));
  request.SetRequestHeader("Referer", "http://a.example/");
  request.SetRequestHeader("X-Second", "2");
  request.Send();

  const std::string headers = engine.requests().at(0).header_bytes;
  const size_t referer = headers.find("Referer: http://a.example/\r\n");
  ASSERT_NE(referer, std::string::npos) << headers;
  EXPECT_GT(headers.find("X-Second: 2\r\n"), referer);
  EXPECT_EQ(headers.find("Expect"), std::string::npos);
}

TEST_F(HttpRequestTest, BodyBytesComeBeforeBodyTextAndTextGoesAsUtf8) {
  HttpRequest with_both(window, stop);
  with_both.Open("POST", engine.url("/both"));
  with_both.Send("text", std::string("by\0tes", 6));
  HttpRequest with_text(window, stop);
  with_text.Open("POST", engine.url("/text"));
  with_text.Send(gbk("中文"));
  HttpRequest without_body(window, stop);
  without_body.Open("GET", engine.url("/none"));
  without_body.Send();

  const auto requests = engine.requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[0].body, std::string("by\0tes", 6));
  EXPECT_EQ(requests[1].body, "中文");
  EXPECT_EQ(requests[2].request_line, "GET /none HTTP/1.1");
  EXPECT_EQ(requests[2].header_bytes.find("Content-Length"), std::string::npos);
}

TEST_F(HttpRequestTest, NamedProxyGetsTheAbsoluteAddressAndBypassedHostsGoDirect) {
  LocalEngine proxy;
  HttpRequest proxied(window, stop);
  proxied.Open("GET", "http://www.example.com/via-proxy");
  proxied.SetProxy(HttpRequest::kNamedProxy, proxy.address(), "");
  proxied.Send();
  HttpRequest bypassing(window, stop);
  bypassing.Open("GET", engine.url("/direct"));
  bypassing.SetProxy(HttpRequest::kNamedProxy, proxy.address(), "www.example.org;127.0.0.1");
  bypassing.Send();

  ASSERT_EQ(proxy.requests().size(), 1u);
  EXPECT_EQ(proxy.requests()[0].request_line, "GET http://www.example.com/via-proxy HTTP/1.1");
  ASSERT_EQ(engine.requests().size(), 1u);
  EXPECT_EQ(engine.requests()[0].request_line, "GET /direct HTTP/1.1");
}

TEST_F(HttpRequestTest, ResponseTextDecodesByTheDeclaredCharset) {
  engine.serve([](const ReceivedRequest& request) {
    return html_reply("中", request.path == "/utf8" ? "UTF-8" : "");
  });
  HttpRequest declared(window, stop);
  declared.Open("GET", engine.url("/utf8"));
  declared.Send();
  HttpRequest undeclared(window, stop);
  undeclared.Open("GET", engine.url("/plain"));
  undeclared.Send();

  EXPECT_EQ(declared.ResponseText(), gbk("中"));
  EXPECT_EQ(undeclared.ResponseText(), "中");
  EXPECT_EQ(undeclared.ResponseBody(), "中");
}

TEST_F(HttpRequestTest, FollowsTenRedirectsButNotAnEleventh) {
  engine.serve([](const ReceivedRequest& request) {
    const int hop = std::stoi(request.path.substr(1));
    return hop < 11 ? redirect_reply(302, "/" + std::to_string(hop + 1)) : html_reply("arrived");
  });
  HttpRequest ten(window, stop);
  ten.Open("GET", engine.url("/1"));
  ten.Send();
  HttpRequest eleven(window, stop);
  eleven.Open("GET", engine.url("/0"));
  eleven.Send();

  EXPECT_EQ(ten.ResponseBody(), "arrived");
  EXPECT_EQ(ten.FinalUrl(), engine.url("/11"));
  EXPECT_EQ(eleven.Failure(), HttpFailure::bad_redirect);
  EXPECT_EQ(eleven.ResponseBody(), "");
  EXPECT_EQ(eleven.Status(), 0);
}

TEST_F(HttpRequestTest, RedirectAfterPostContinuesWithGetFor303AndKeepsPostFor307) {
  engine.serve([](const ReceivedRequest& request) {
    if (request.path == "/see-other") return redirect_reply(303, "/target");
    if (request.path == "/temporary") return redirect_reply(307, "/target");
    return html_reply("done");
  });
  HttpRequest see_other(window, stop);
  see_other.Open("POST", engine.url("/see-other"));
  see_other.Send("a=1");
  HttpRequest temporary(window, stop);
  temporary.Open("POST", engine.url("/temporary"));
  temporary.Send("a=1");

  const auto requests = engine.requests();
  ASSERT_EQ(requests.size(), 4u);
  EXPECT_EQ(requests[1].request_line, "GET /target HTTP/1.1");
  EXPECT_EQ(requests[1].body, "");
  EXPECT_EQ(requests[3].request_line, "POST /target HTTP/1.1");
  EXPECT_EQ(requests[3].body, "a=1");
}

TEST_F(HttpRequestTest, RedirectsOnlyToHttpOrHttps) {
  engine.serve([](const ReceivedRequest& request) {
    if (request.method == "CONNECT") return status_reply(403);
    if (request.path == "/to-ftp") return redirect_reply(302, "ftp://www.example.com/file");
    return redirect_reply(302, "https://www.example.com/secure");
  });
  HttpRequest to_ftp(window, stop);
  to_ftp.Open("GET", "http://www.example.com/to-ftp");
  through_engine(to_ftp).Send();
  HttpRequest to_https(window, stop);
  to_https.Open("GET", "http://www.example.com/to-https");
  through_engine(to_https).Send();

  EXPECT_EQ(to_ftp.Failure(), HttpFailure::bad_redirect);
  const auto requests = engine.requests();
  ASSERT_EQ(requests.size(), 3u);
  // The https address was followed: through a proxy that means a tunnel to port 443.
  EXPECT_EQ(requests[2].request_line, "CONNECT www.example.com:443 HTTP/1.1");
  EXPECT_NE(to_https.Failure(), HttpFailure::none);
}

TEST_F(HttpRequestTest, BodyOfExactly32MegabytesIsKeptAndALargerOneFails) {
  engine.serve([](const ReceivedRequest& request) {
    Reply reply = html_reply(std::string(kMebibyte + (request.path == "/over" ? 1 : 0), 'x'));
    reply.body_copies = 32;
    return reply;
  });
  HttpRequest at_limit(window, stop);
  at_limit.Open("GET", engine.url("/at"));
  at_limit.Send();
  HttpRequest over_limit(window, stop);
  over_limit.Open("GET", engine.url("/over"));
  over_limit.Send();

  EXPECT_EQ(at_limit.Failure(), HttpFailure::none);
  EXPECT_EQ(at_limit.ResponseBody().size(), HttpRequest::kMaxResponseBytes);
  EXPECT_EQ(over_limit.Failure(), HttpFailure::too_large);
  EXPECT_EQ(over_limit.ResponseBody(), "");
}

TEST_F(HttpRequestTest, ServerThatNeverAnswersRunsOutTheReceiveTimeout) {
  engine.serve([](const ReceivedRequest&) { return Reply{.never_answer = true}; });
  HttpRequest request(window, stop);
  request.Open("GET", engine.url("/silent"));
  request.SetTimeouts(200);  // the only value given bounds every phase
  request.Send();

  EXPECT_EQ(request.Failure(), HttpFailure::timed_out);
  EXPECT_EQ(request.Status(), 0);
  EXPECT_GT(window.event_rounds, 0);
}

TEST_F(HttpRequestTest, StopFlagAbortsASlowTransferAtTheNextEventRound) {
  engine.serve([](const ReceivedRequest&) {
    Reply reply = html_reply("slow");
    reply.body_copies = 200;
    reply.pause_ms = 50;
    return reply;
  });
  int stop_round = 0;
  window.on_events = [&] {
    if (window.event_rounds == 5) {
      stop = true;
      stop_round = window.event_rounds;
    }
  };
  HttpRequest request(window, stop);
  request.Open("GET", engine.url("/slow"));
  request.Send();

  EXPECT_EQ(request.Failure(), HttpFailure::stopped);
  EXPECT_EQ(request.ResponseBody(), "");
  EXPECT_EQ(window.event_rounds, stop_round);
}

TEST_F(HttpRequestTest, StopFlagAlreadySetSendsNothing) {
  stop = true;
  HttpRequest request(window, stop);
  request.Open("GET", engine.url("/never"));
  request.Send();

  EXPECT_EQ(request.Failure(), HttpFailure::stopped);
  EXPECT_TRUE(engine.requests().empty());
}

TEST_F(HttpRequestTest, RefusedConnectionIsReportedAsSuch) {
  int closed_port = 0;
  {
    LocalEngine gone;
    closed_port = gone.port();
  }
  HttpRequest direct(window, stop);
  direct.Open("GET", "http://127.0.0.1:" + std::to_string(closed_port) + "/");
  direct.Send();
  HttpRequest via_proxy(window, stop);
  via_proxy.Open("GET", "http://www.example.com/");
  via_proxy.SetProxy(HttpRequest::kNamedProxy, "127.0.0.1:" + std::to_string(closed_port), "");
  via_proxy.Send();

  EXPECT_EQ(direct.Failure(), HttpFailure::not_connected);
  EXPECT_EQ(via_proxy.Failure(), HttpFailure::proxy_failed);
}

}  // namespace
