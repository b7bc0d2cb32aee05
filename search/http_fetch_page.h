#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "search/fetched_page.h"

class Window;

// What http_fetch_page asks for.
struct HttpFetch {
  std::string url{};  // GBK; blanks around it are ignored
  std::string post_text{};
  // Empty: a direct connection. "IE": the system proxy (system_proxy_text). Anything
  // else: a proxy server as host:port.
  std::string proxy_text{};
  // Below 1 means 40; -1 sets no time-outs. Each of the four phases gets a quarter.
  int timeout_seconds = 40;
  int response_charset = 0;  // see decode_response_text; -2 takes the Content-Type charset
  std::string post_bytes{};  // sent instead of post_text when not empty
  // Redirects to addresses for which this holds are not followed (HttpRequest::SetRedirectStop).
  std::function<bool(std::string_view)> redirect_stop{};
};

// Fetches one page the way a browser of the program's time would ask for it: GET
// without a body (else POST), a referrer made from the URL's own host, and an
// MSIE 6 user agent.
FetchedPage http_fetch_page(Window& window, const bool& stop_requested, const HttpFetch& fetch);

// Each phase's time-out for a total time-out: a quarter of it, in milliseconds; below 1
// counts as 40 seconds, and -1 gives none.
std::optional<int> fetch_phase_timeout_ms(int timeout_seconds);

// The lower-cased host of a URL, without port: the referrer is made from it.
std::string url_host(std::string_view url);

// The per-user system proxy: the http_proxy (or HTTP_PROXY) environment variable,
// empty when unset.
std::string system_proxy_text();
