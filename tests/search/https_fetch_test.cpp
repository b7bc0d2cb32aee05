#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "search/engine_query.h"
#include "search/engine_table.h"
#include "search/http_fetch_page.h"
#include "support/gbk.h"
#include "support/regex_object.h"
#include "tests/testsupport/fake_window.h"
#include "tests/testsupport/http_search_site.h"
#include "tests/testsupport/local_engine.h"
#include "tests/testsupport/test_certificates.h"
#include "tests/testsupport/tls_front.h"
#include "tests/testsupport/trusted_authority.h"
#include "tests/testsupport/tunnel_proxy.h"

namespace {

// Every engine's host and the loopback address, as the engines' https certificate names them.
std::vector<std::string> engine_names() {
  std::vector<std::string> names;
  for (int index = 0; const Engine* engine = engine_at(index); ++index) names.emplace_back(engine->host);
  names.emplace_back("127.0.0.1");
  return names;
}

bool has_session_cookie(const ReceivedRequest& request) {
  return request.header_bytes.find("Cookie: session=1\r\n") != std::string::npos;
}

// The engines as they answer today: the table's http address redirects to https and
// sets a session cookie there, and only an https request with that cookie gets the
// result page. Asked directly the engine stands at the loopback address; through the
// proxy (指定代理) at its own host name, which only the proxy's tunnel leads to.
class HttpsEngineTest : public ::testing::Test {
 protected:
  HttpsEngineTest() {
    tag_expression.set_pattern("<.*?>");
    use_proxy(proxy);
    window.set_text(Control::编辑框间隔秒, "0");
    http_side.serve([this](const ReceivedRequest& request) {
      const std::string authority = request.absolute_target ? request.host : secure.address();
      Reply reply = redirect_reply(302, "https://" + authority + request.path);
      reply.headers += "Set-Cookie: session=1; path=/\r\n";
      return reply;
    });
    https_side.serve([this](const ReceivedRequest& request) {
      return has_session_cookie(request) ? site.answer(request) : status_reply(403);
    });
  }

  void use_proxy(const TunnelProxy& tunnel_proxy) {
    window.set_selected_index(Control::组合框代理形式, 2);
    window.set_text(Control::编辑框IP, tunnel_proxy.address());
  }
  SentenceOutcome outcome(std::string_view utf8_sentence, int engine_index) {
    return query.is_sentence_indexed(gbk(utf8_sentence), engine_index).outcome;
  }

  TestCertificateAuthority authority{"本测试的证书颁发机构"};
  ScopedTrustedAuthority trusted{authority};
  SearchSite site;
  LocalEngine http_side;
  LocalEngine https_side;
  TlsFront secure{authority.issue(engine_names()), https_side.port()};
  TunnelProxy proxy{http_side.port(), secure.port()};
  FakeWindow window;
  bool stop = false;
  RegexObject tag_expression;
  EngineQuery query{window, stop, tag_expression};
};

TEST_F(HttpsEngineTest, DirectFetchFollowsTheRedirectToHttpsWithItsCookieAndReadsThePage) {
  https_side.serve([](const ReceivedRequest& request) {
    return has_session_cookie(request)
               ? html_reply(gbk("<html><body>经安全连接读到的网页</body></html>"), "gbk")
               : status_reply(403);
  });
  const FetchedPage page = http_fetch_page(window, stop, {.url = http_side.url("/s?wd=%D6%D0")});

  EXPECT_EQ(page.failure, HttpFailure::none);
  EXPECT_EQ(page.status, 200);
  EXPECT_EQ(page.final_url, "https://" + secure.address() + "/s?wd=%D6%D0");
  EXPECT_EQ(page.text, gbk("<html><body>经安全连接读到的网页</body></html>"));
  ASSERT_EQ(https_side.requests().size(), 1u);
  EXPECT_EQ(https_side.requests()[0].request_line, "GET /s?wd=%D6%D0 HTTP/1.1");
  EXPECT_TRUE(proxy.request_lines().empty());
}

TEST_F(HttpsEngineTest, EveryEngineIsAskedOverHttpsThroughTheProxyAndAnswers) {
  site.index("经安全连接找到的句子");
  std::vector<std::string> expected_lines;
  std::vector<std::string> expected_names;
  for (int index = 0; const Engine* engine = engine_at(index); ++index) {
    const std::string host(engine->host);
    EXPECT_EQ(outcome("经安全连接找到", index), SentenceOutcome::indexed) << host;
    EXPECT_EQ(outcome("不在列表里的句子", index), SentenceOutcome::not_indexed) << host;
    for (int query_count = 0; query_count < 2; ++query_count) {
      expected_lines.push_back("GET http://" + host + "/");
      expected_lines.push_back("CONNECT " + host + ":443 HTTP/1.1");
      expected_names.push_back(host);
    }
  }

  std::vector<std::string> lines = proxy.request_lines();
  for (std::string& line : lines) {
    if (line.starts_with("GET ")) line.erase(line.find('/', 11) + 1);
  }
  EXPECT_EQ(lines, expected_lines);
  EXPECT_EQ(secure.server_names(), expected_names);
  EXPECT_TRUE(std::ranges::all_of(https_side.requests(), has_session_cookie));
  EXPECT_TRUE(window.messages.empty());
  EXPECT_FALSE(stop);
}

struct UnverifiableCertificate {
  std::string_view name;
  std::function<ServerCertificate(const TestCertificateAuthority& trusted)> make;
};

void PrintTo(const UnverifiableCertificate& certificate, std::ostream* out) {
  *out << certificate.name;
}

const UnverifiableCertificate kUnverifiableCertificates[] = {
    {"FromAnUntrustedAuthority",
     [](const TestCertificateAuthority&) {
       return TestCertificateAuthority("不受信任的证书颁发机构").issue({"www.baidu.com"});
     }},
    {"ForAnotherHost",
     [](const TestCertificateAuthority& trusted) { return trusted.issue({"www.example.com"}); }},
    {"Expired",
     [](const TestCertificateAuthority& trusted) {
       return trusted.issue({"www.baidu.com"}, TestCertificateAuthority::Validity::expired);
     }},
};

class UnverifiableCertificateTest : public HttpsEngineTest,
                                    public ::testing::WithParamInterface<UnverifiableCertificate> {};

INSTANTIATE_TEST_SUITE_P(Certificates, UnverifiableCertificateTest,
                         ::testing::ValuesIn(kUnverifiableCertificates),
                         [](const auto& info) { return std::string(info.param.name); });

// A certificate that does not verify leaves no page to read: the fetch failed, and the
// warning says it was the certificate; the sentence is not taken for not indexed.
TEST_P(UnverifiableCertificateTest, IsAFailedFetchWhoseWarningNamesTheCertificate) {
  const TlsFront impostor(GetParam().make(authority), https_side.port());
  const TunnelProxy impostor_proxy(http_side.port(), impostor.port());
  use_proxy(impostor_proxy);
  site.index("证书不对时的句子");

  EXPECT_EQ(outcome("证书不对时的句子", 0), SentenceOutcome::fetch_failed);
  EXPECT_TRUE(stop);
  EXPECT_TRUE(https_side.requests().empty());
  ASSERT_EQ(window.messages.size(), 1u);
  const std::string text = utf8_from_gbk(window.messages[0].text);
  EXPECT_NE(text.find("“百度”"), std::string::npos) << text;
  EXPECT_NE(text.find("证书无法验证"), std::string::npos) << text;
}

}  // namespace
