#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class Window;

// Why a request got no answer to read.
enum class HttpFailure {
  none,
  not_resolved,   // the host name has no address
  not_connected,  // the host refused or could not be reached
  proxy_failed,   // the proxy could not be resolved, reached, or refused to pass the request on
  timed_out,      // one of the time-outs ran out
  too_large,      // the body passed kMaxResponseBytes
  bad_redirect,   // more than kMaxRedirects redirects, or one to a forbidden address
  cert_rejected,  // the server's TLS certificate did not verify, or nothing was there to verify it with
  empty_page,     // an answer without a page in it
  stopped,        // the run's stop flag was raised while waiting
  broken,         // the connection broke off or the answer made no sense
};

// One HTTP request over libcurl, with the members and argument rules of the
// scriptable HTTP object the program was first written against. Texts are GBK.
// An instance serves one request: Open, then the setters, then Send, then the
// answer. A failure is silent: the answer then reads as empty and status 0, and
// Failure() tells why.
//
// https is verified against the system's certificate authorities; a bundle file that
// CURL_CA_BUNDLE or else SSL_CERT_FILE names takes the place of the system's bundle
// file, as curl takes those variables (the system's certificate folder still counts).
//
// While a request is under way the window's pending events run about every
// 10 ms, so the window stays responsive; a true stop flag seen then aborts the
// request.
class HttpRequest {
 public:
  static constexpr size_t kMaxResponseBytes = size_t{32} << 20;
  static constexpr int kMaxRedirects = 10;
  // SetProxy's setting for a named proxy server; the other settings connect directly.
  static constexpr int kNamedProxy = 2;

  HttpRequest(Window& window, const bool& stop_requested);
  ~HttpRequest();
  HttpRequest(const HttpRequest&) = delete;
  HttpRequest& operator=(const HttpRequest&) = delete;

  // Requests are always synchronous. A URL that names neither http nor https gets
  // "http://" in front.
  void Open(std::string_view method, std::string_view url);
  // Milliseconds; a connect, send or receive value below 1 takes the resolve value,
  // and a resolve value below 1 means no limit. Resolving is bounded by the resolve
  // value, connecting after it by the connect value, sending by the send value and
  // every wait for received data by the receive value. When all four are limits, the
  // whole request, redirects included, takes at most their sum: a server that
  // trickles a byte now and then runs out no single phase.
  void SetTimeouts(int resolve_ms, int connect_ms = 0, int send_ms = 0, int receive_ms = 0);
  void SetRequestHeader(std::string_view name, std::string_view value);
  // The bypass list names hosts reached directly, separated by ";" or ",".
  void SetProxy(int setting, std::string_view proxy_server, std::string_view bypass_list);
  // A redirect to an address for which `stop` holds is not followed: it is the
  // answer, and its target the final address.
  void SetRedirectStop(std::function<bool(std::string_view)> stop) { redirect_stop_ = std::move(stop); }
  // The bytes when not empty, else the text (sent as UTF-8) when not empty, else no body.
  void Send(std::string_view body_text = {}, std::string_view body_bytes = {});

  int Status() const;
  const std::string& ResponseBody() const;
  // The charset named by the answer's Content-Type, lower-case; empty when none.
  std::string ResponseCharset() const;
  // The body decoded by the charset of the answer's Content-Type: UTF-8 becomes GBK,
  // anything else is taken as it is.
  std::string ResponseText() const;
  // The address of the last answer, after redirects.
  const std::string& FinalUrl() const { return final_url_; }
  HttpFailure Failure() const { return failure_; }

 private:
  struct Transfer;
  using Clock = std::chrono::steady_clock;

  // Hands the headers, proxy and time-outs to libcurl.
  void apply_settings();
  // One hop: sends the request to `url` and waits for the whole answer.
  void perform(const std::string& url, const std::string& method, const std::string& body);
  // Drives the added transfer until it ends, is stopped or runs out of time.
  HttpFailure run_transfer();
  void fail(HttpFailure failure);

  Window& window_;
  const bool& stop_requested_;
  std::unique_ptr<Transfer> transfer_;  // null when libcurl could not be set up

  std::string method_ = "GET";
  std::string url_;
  std::vector<std::string> request_headers_;
  std::string proxy_server_;
  std::string bypass_list_;
  std::function<bool(std::string_view)> redirect_stop_;
  // Milliseconds, 0 for no limit; the defaults are the platform object's.
  int resolve_ms_ = 0;
  int connect_ms_ = 60000;
  int send_ms_ = 30000;
  int receive_ms_ = 30000;

  Clock::time_point deadline_ = Clock::time_point::max();  // of the whole request

  int status_ = 0;
  std::string final_url_;
  std::string response_headers_;
  std::string response_body_;
  HttpFailure failure_ = HttpFailure::none;
};
