#include "search/http_fetch_page.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "search/response_text.h"
#include "support/text_search.h"
#include "support/window.h"

namespace {

constexpr int kDefaultTimeoutSeconds = 40;
constexpr int kNoTimeouts = -1;
constexpr std::string_view kIdeographicSpace = "\xA1\xA1";

bool is_lead_byte(char c) {
  return static_cast<unsigned char>(c) >= 0x80;
}

// The URL without ASCII blanks and GBK ideographic spaces around it.
std::string_view trim_url(std::string_view url) {
  size_t begin = 0;
  size_t end = 0;
  bool seen_text = false;
  for (size_t at = 0; at < url.size();) {
    const size_t width = is_lead_byte(url[at]) && at + 1 < url.size() ? 2 : 1;
    const std::string_view character = url.substr(at, width);
    if (character != " " && character != kIdeographicSpace) {
      if (!seen_text) begin = at;
      seen_text = true;
      end = at + width;
    }
    at += width;
  }
  return url.substr(begin, end - begin);
}

// ASCII letters lowered, double-byte characters kept whole.
std::string lower_ascii_letters(std::string_view text) {
  std::string lower(text);
  for (size_t at = 0; at < lower.size(); ++at) {
    if (is_lead_byte(lower[at])) {
      ++at;
    } else if (lower[at] >= 'A' && lower[at] <= 'Z') {
      lower[at] = static_cast<char>(lower[at] - 'A' + 'a');
    }
  }
  return lower;
}

}  // namespace

std::optional<int> fetch_phase_timeout_ms(int timeout_seconds) {
  if (timeout_seconds == kNoTimeouts) return std::nullopt;
  const long long seconds = timeout_seconds < 1 ? kDefaultTimeoutSeconds : timeout_seconds;
  return static_cast<int>(std::min(seconds * 1000 / 4, static_cast<long long>(INT_MAX)));
}

std::string url_host(std::string_view url) {
  const size_t scheme = find_exact(url, "http://");
  const size_t start = scheme == std::string_view::npos ? 0 : scheme + 7;
  std::string_view host = url.substr(start, find_exact(url, "/", start) - start);
  host = host.substr(0, find_exact(host, ":"));
  return lower_ascii_letters(host);
}

std::string system_proxy_text() {
  for (const char* name : {"http_proxy", "HTTP_PROXY"}) {
    if (const char* value = std::getenv(name); value != nullptr && *value != '\0') return value;
  }
  return {};
}

FetchedPage http_fetch_page(Window& window, const bool& stop_requested, const HttpFetch& fetch) {
  HttpRequest request(window, stop_requested);
  const std::string_view url = trim_url(fetch.url);
  request.Open(fetch.post_bytes.empty() && fetch.post_text.empty() ? "GET" : "POST", url);

  if (const std::optional<int> phase_ms = fetch_phase_timeout_ms(fetch.timeout_seconds)) {
    request.SetTimeouts(*phase_ms);
  }
  window.process_pending_events();

  request.SetRequestHeader("Referer", "http://" + url_host(url) + "/");
  request.SetRequestHeader("Content-Type", "application/x-www-form-urlencoded");
  request.SetRequestHeader("User-Agent", "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; SV1)");
  window.process_pending_events();

  const std::string proxy = fetch.proxy_text == "IE" ? system_proxy_text() : fetch.proxy_text;
  if (!proxy.empty()) request.SetProxy(HttpRequest::kNamedProxy, proxy, "");
  if (fetch.redirect_stop) request.SetRedirectStop(fetch.redirect_stop);
  window.process_pending_events();

  request.Send(fetch.post_text, fetch.post_bytes);

  FetchedPage page{.final_url = request.FinalUrl(), .status = request.Status(), .failure = request.Failure()};
  if (fetch.response_charset == -2) {
    page.text = request.ResponseText();
    return page;
  }
  // The page is text: it ends at its first zero byte.
  const std::string& body = request.ResponseBody();
  page.text = decode_response_text(std::string_view(body).substr(0, body.find('\0')), fetch.response_charset,
                                   request.ResponseCharset());
  // An answer without a page is no answer: an empty text already stands for a failed fetch.
  if (page.text.empty() && page.failure == HttpFailure::none) page.failure = HttpFailure::empty_page;
  return page;
}
