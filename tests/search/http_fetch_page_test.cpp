#include "search/http_fetch_page.h"

#include <gtest/gtest.h>

#include <optional>

#include "support/gbk.h"
#include "tests/testsupport/fake_window.h"
#include "tests/testsupport/http_proxy_environment.h"
#include "tests/testsupport/local_engine.h"

namespace {

class HttpFetchPageTest : public ::testing::Test {
 protected:
  FetchedPage fetch(HttpFetch request) { return http_fetch_page(window, stop, request); }

  FakeWindow window;
  bool stop = false;
  LocalEngine engine;
  LocalEngine proxy;
};

TEST_F(HttpFetchPageTest, GetCarriesTheThreeFixedHeadersInOrder) {
  engine.serve([](const ReceivedRequest&) { return html_reply("<html>page</html>"); });
  const FetchedPage page = fetch({.url = engine.url("/s?wd=%D6%D0")});

  EXPECT_EQ(page.text, "<html>page</html>");
  EXPECT_FALSE(page.failed());
  ASSERT_EQ(engine.requests().size(), 1u);
  const ReceivedRequest request = engine.requests()[0];
  EXPECT_EQ(request.request_line, "GET /s?wd=%D6%D0 HTTP/1.1");
  EXPECT_EQ(request.header_bytes,
            "Host: " + engine.address() +
                "\r\n"
                "Accept: */*\r\n"
                "Accept-Encoding: deflate, gzip, br, zstd\r\n"
                "Referer: http://127.0.0.1/\r\n"
                "Content-Type: application/x-www-form-urlencoded\r\n"
                "User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; SV1)\r\n");
}

TEST_F(HttpFetchPageTest, BodyMakesAPostAndBytesWinOverText) {
  fetch({.url = engine.url("/text"), .post_text = "a=1"});
  fetch({.url = engine.url("/bytes"), .post_text = "a=1", .post_bytes = "b=2"});

  const auto requests = engine.requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].request_line, "POST /text HTTP/1.1");
  EXPECT_EQ(requests[0].body, "a=1");
  EXPECT_EQ(requests[1].body, "b=2");
}

TEST_F(HttpFetchPageTest, BlanksAroundTheUrlAreIgnored) {
  fetch({.url = gbk("　 ") + engine.url("/trimmed") + gbk(" 　")});

  ASSERT_EQ(engine.requests().size(), 1u);
  EXPECT_EQ(engine.requests()[0].path, "/trimmed");
}

TEST_F(HttpFetchPageTest, CharsetComesFromTheMetaTagElseFromTheHeader) {
  struct Case {
    std::string_view meta;
    std::string_view header_charset;
    bool converted;
  };
  const Case cases[] = {
      {"<meta charset=\"utf-8\">", "utf-8", true},
      {"<meta charset=\"utf-8\">", "", true},
      {"", "utf-8", true},
      {"", "UTF-8", true},
      {"", "gbk", false},
      // Nothing names a charset, and the bytes are UTF-8.
      {"", "", true},
      // A meta declaration wins over the header.
      {"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">", "utf-8", false},
  };
  // Served in the charset the case says, read as GBK.
  for (const Case& c : cases) {
    const std::string page = "<html><head>" + std::string(c.meta) + "</head><body>中文</body></html>";
    engine.serve([body = c.converted ? page : gbk(page), charset = c.header_charset](const ReceivedRequest&) {
      return html_reply(body, charset);
    });
    EXPECT_EQ(fetch({.url = engine.url("/")}).text, gbk(page)) << c.meta << c.header_charset;
  }
  // -2 leaves the decoding to the answer's Content-Type.
  engine.serve([](const ReceivedRequest&) {
    return html_reply(
        "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\"></head>"
        "<body>中文</body></html>",
        "utf-8");
  });
  EXPECT_EQ(fetch({.url = engine.url("/"), .response_charset = -2}).text,
            gbk("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
                "charset=gb2312\"></head><body>中文</body></html>"));
}

TEST_F(HttpFetchPageTest, PageEndsAtItsFirstZeroByteAndAnEmptyOneIsAFailedFetch) {
  engine.serve([](const ReceivedRequest&) { return html_reply(std::string("before\0after", 12)); });
  EXPECT_EQ(fetch({.url = engine.url("/")}).text, "before");
  for (const std::string& body : {std::string(), std::string("\0after", 6)}) {
    engine.serve([body](const ReceivedRequest&) { return html_reply(body); });
    const FetchedPage page = fetch({.url = engine.url("/")});
    EXPECT_EQ(page.failure, HttpFailure::empty_page);
    EXPECT_TRUE(page.failed());
  }
}

// Compressed bytes read as text would hold no result list: pages are asked for
// compressed, as browsers ask, and unpacked.
TEST_F(HttpFetchPageTest, CompressedPagesAreUnpacked) {
  const std::pair<std::string_view, std::string> compressed[] = {
      {"gzip", std::string("\x1F\x8B\x08\x00\x00\x00\x00\x00\x02\x03\xB3\xC9\x28\xC9\xCD\xB1\xBB\x76\xE1"
                           "\xDC\x11\x1B\x7D\x30\x13\x00\xF6\xC8\x13\x5B\x11\x00\x00\x00",
                           34)},
      {"deflate", std::string("\x78\x9C\xB3\xC9\x28\xC9\xCD\xB1\xBB\x76\xE1\xDC\x11\x1B\x7D\x30\x13\x00"
                              "\x47\x56\x07\xC6",
                              22)},
  };
  for (const auto& [encoding, body] : compressed) {
    engine.serve([encoding = encoding, body = body](const ReceivedRequest&) {
      Reply reply = html_reply(body, "gbk");
      reply.headers.append("Content-Encoding: ").append(encoding).append("\r\n");
      return reply;
    });
    EXPECT_EQ(fetch({.url = engine.url("/")}).text, gbk("<html>中文</html>")) << encoding;
  }
}

TEST_F(HttpFetchPageTest, ErrorStatusKeepsItsPageButCountsAsFailed) {
  engine.serve([](const ReceivedRequest&) { return status_reply(503); });
  const FetchedPage page = fetch({.url = engine.url("/")});

  EXPECT_EQ(page.status, 503);
  EXPECT_EQ(page.failure, HttpFailure::none);
  EXPECT_EQ(page.text, "<html><body>503</body></html>");
  EXPECT_TRUE(page.failed());
}

TEST_F(HttpFetchPageTest, NoProxyTextConnectsDirectlyEvenWithAProxyInTheEnvironment) {
  const ScopedProxyEnvironment environment("http://" + proxy.address());
  fetch({.url = engine.url("/direct")});

  EXPECT_EQ(engine.requests().size(), 1u);
  EXPECT_TRUE(proxy.requests().empty());
}

TEST_F(HttpFetchPageTest, IeTakesTheProxyFromTheEnvironment) {
  const ScopedProxyEnvironment environment(proxy.address());
  fetch({.url = engine.url("/via-system-proxy"), .proxy_text = "IE"});

  EXPECT_TRUE(engine.requests().empty());
  ASSERT_EQ(proxy.requests().size(), 1u);
  EXPECT_EQ(proxy.requests()[0].request_line, "GET " + engine.url("/via-system-proxy") + " HTTP/1.1");
}

TEST_F(HttpFetchPageTest, IeWithoutASystemProxyConnectsDirectly) {
  const ScopedProxyEnvironment environment(std::nullopt);
  fetch({.url = engine.url("/no-system-proxy"), .proxy_text = "IE"});

  ASSERT_EQ(engine.requests().size(), 1u);
  EXPECT_EQ(engine.requests()[0].request_line, "GET /no-system-proxy HTTP/1.1");
}

TEST_F(HttpFetchPageTest, NamedProxyReceivesTheAbsoluteAddress) {
  fetch({.url = "http://www.baidu.com/s?wd=%D6%D0", .proxy_text = proxy.address()});

  ASSERT_EQ(proxy.requests().size(), 1u);
  EXPECT_EQ(proxy.requests()[0].request_line, "GET http://www.baidu.com/s?wd=%D6%D0 HTTP/1.1");
  EXPECT_NE(proxy.requests()[0].header_bytes.find("Referer: http://www.baidu.com/\r\n"), std::string::npos);
}

TEST_F(HttpFetchPageTest, TotalTimeoutIsSharedOutOverTheFourPhases) {
  EXPECT_EQ(fetch_phase_timeout_ms(40), 10000);
  EXPECT_EQ(fetch_phase_timeout_ms(0), 10000);
  EXPECT_EQ(fetch_phase_timeout_ms(-5), 10000);
  EXPECT_EQ(fetch_phase_timeout_ms(8), 2000);
  EXPECT_EQ(fetch_phase_timeout_ms(1), 250);
  EXPECT_EQ(fetch_phase_timeout_ms(-1), std::nullopt);
  EXPECT_EQ(fetch_phase_timeout_ms(2000000000), 2147483647);
}

TEST_F(HttpFetchPageTest, SilentServerRunsOutTheTimeout) {
  engine.serve([](const ReceivedRequest&) { return Reply{.never_answer = true}; });
  const FetchedPage page = fetch({.url = engine.url("/silent"), .timeout_seconds = 1});

  EXPECT_EQ(page.failure, HttpFailure::timed_out);
  EXPECT_EQ(page.text, "");
  EXPECT_TRUE(page.failed());
}

// A server that sends a byte now and then never lets a phase run out; the whole
// request still ends once all four phases' time has gone by.
TEST_F(HttpFetchPageTest, TricklingServerRunsOutTheTotalTimeout) {
  engine.serve([](const ReceivedRequest&) {
    Reply reply = html_reply("<");
    reply.body_copies = 1000;
    reply.pause_ms = 20;
    return reply;
  });
  const FetchedPage page = fetch({.url = engine.url("/trickle"), .timeout_seconds = 1});

  EXPECT_EQ(page.failure, HttpFailure::timed_out);
  EXPECT_TRUE(page.failed());
}

TEST(UrlHost, IsTheLowerCasedHostWithoutPort) {
  EXPECT_EQ(url_host("http://WWW.Baidu.COM:8080/s?wd=x"), "www.baidu.com");
  EXPECT_EQ(url_host("Example.COM/path/"), "example.com");
  EXPECT_EQ(url_host("http://www.so.com"), "www.so.com");
  EXPECT_EQ(url_host("HTTP://Upper.example/x"), "http");
}

}  // namespace
