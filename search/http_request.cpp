#include "search/http_request.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "search/request_url.h"
#include "support/gbk.h"
#include "support/text_conversions.h"
#include "support/window.h"

namespace {

constexpr auto kEventSlice = std::chrono::milliseconds(10);

enum class Phase { connecting, sending, receiving };

bool curl_ready() {
  static const bool ready = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
  return ready;
}

// The certificate authorities' bundle a user or a test names in place of the system's;
// null when none is named.
const char* ca_bundle_from_environment() {
  for (const char* name : {"CURL_CA_BUNDLE", "SSL_CERT_FILE"}) {
    if (const char* value = std::getenv(name); value != nullptr && *value != '\0') return value;
  }
  return nullptr;
}

bool is_redirect_status(int status) {
  return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

std::string lower_ascii(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

// The charset the answer's Content-Type names, lower-case; empty when none.
std::string content_type_charset(std::string_view response_headers) {
  const std::string headers = lower_ascii(response_headers);
  const size_t line = headers.find("\ncontent-type:");
  if (line == std::string::npos) return {};
  const size_t line_end = headers.find('\n', line + 1);
  const std::string_view content_type = std::string_view(headers).substr(line, line_end - line);
  const size_t charset = content_type.find("charset=");
  if (charset == std::string_view::npos) return {};
  std::string_view value = content_type.substr(charset + 8);
  if (!value.empty() && value.front() == '"') value.remove_prefix(1);
  return std::string(value.substr(0, value.find_first_of("\"; \t\r")));
}

}  // namespace

// The libcurl handles of one request and what their callbacks observe.
struct HttpRequest::Transfer {
  CURL* easy = nullptr;
  CURLM* multi = nullptr;
  curl_slist* headers = nullptr;

  std::string* body = nullptr;
  std::string* response_headers = nullptr;
  bool too_large = false;

  // Which time-out applies now, and since when nothing moved.
  Phase phase = Phase::connecting;
  Clock::time_point last_activity;
  curl_off_t upload_size = 0;
  curl_off_t uploaded = 0;

  ~Transfer() {
    if (multi != nullptr) curl_multi_cleanup(multi);
    if (easy != nullptr) curl_easy_cleanup(easy);
    curl_slist_free_all(headers);
  }

  void received() {
    phase = Phase::receiving;
    last_activity = Clock::now();
  }

  static size_t on_body(char* data, size_t size, size_t count, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    const size_t bytes = size * count;
    if (transfer->body->size() + bytes > kMaxResponseBytes) {
      transfer->too_large = true;
      return 0;  // makes libcurl abort the transfer
    }
    transfer->body->append(data, bytes);
    transfer->received();
    return bytes;
  }

  static size_t on_header(char* data, size_t size, size_t count, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    transfer->response_headers->append(data, size * count);
    transfer->received();
    return size * count;
  }

  // Called once the connection stands, right before the request goes out.
  static int on_connected(void* user, char*, char*, int, int) {
    auto* transfer = static_cast<Transfer*>(user);
    transfer->phase = transfer->upload_size > 0 ? Phase::sending : Phase::receiving;
    transfer->last_activity = Clock::now();
    return CURL_PREREQFUNC_OK;
  }
};

HttpRequest::HttpRequest(Window& window, const bool& stop_requested)
    : window_(window), stop_requested_(stop_requested) {
  if (!curl_ready()) return;
  auto transfer = std::make_unique<Transfer>();
  transfer->easy = curl_easy_init();
  transfer->multi = curl_multi_init();
  if (transfer->easy == nullptr || transfer->multi == nullptr) return;
  transfer->body = &response_body_;
  transfer->response_headers = &response_headers_;

  CURL* easy = transfer->easy;
  curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  // Redirects are followed by Send, which applies the platform object's rules.
  curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 0L);
  curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_1);
  // Every encoding libcurl can unpack is asked for, as browsers ask, and a compressed
  // answer is unpacked even when it was not asked for: read as text it would hold
  // no result list. The size limit applies to the unpacked page.
  curl_easy_setopt(easy, CURLOPT_ACCEPT_ENCODING, "");
  curl_easy_setopt(easy, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Transfer::on_body);
  curl_easy_setopt(easy, CURLOPT_WRITEDATA, transfer.get());
  curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &Transfer::on_header);
  curl_easy_setopt(easy, CURLOPT_HEADERDATA, transfer.get());
  curl_easy_setopt(easy, CURLOPT_PREREQFUNCTION, &Transfer::on_connected);
  curl_easy_setopt(easy, CURLOPT_PREREQDATA, transfer.get());
  // Cookies live in memory for the hops of one fetch: engines set one on a redirect
  // and may answer a later hop without it with a verification page.
  curl_easy_setopt(easy, CURLOPT_COOKIEFILE, "");
  if (const char* bundle = ca_bundle_from_environment()) curl_easy_setopt(easy, CURLOPT_CAINFO, bundle);
  transfer_ = std::move(transfer);
}

HttpRequest::~HttpRequest() = default;

void HttpRequest::Open(std::string_view method, std::string_view url) {
  method_ = method;
  url_ = with_http_scheme(url);
}

void HttpRequest::SetTimeouts(int resolve_ms, int connect_ms, int send_ms, int receive_ms) {
  const auto or_resolve = [resolve_ms](int value) { return std::max(value < 1 ? resolve_ms : value, 0); };
  resolve_ms_ = std::max(resolve_ms, 0);
  connect_ms_ = or_resolve(connect_ms);
  send_ms_ = or_resolve(send_ms);
  receive_ms_ = or_resolve(receive_ms);
}

void HttpRequest::SetRequestHeader(std::string_view name, std::string_view value) {
  request_headers_.push_back(std::string(name).append(": ").append(value));
}

void HttpRequest::SetProxy(int setting, std::string_view proxy_server, std::string_view bypass_list) {
  if (setting != kNamedProxy) {
    proxy_server_.clear();
    return;
  }
  proxy_server_ = proxy_server;
  bypass_list_ = bypass_list;
  std::replace(bypass_list_.begin(), bypass_list_.end(), ';', ',');
}

void HttpRequest::Send(std::string_view body_text, std::string_view body_bytes) {
  status_ = 0;
  response_body_.clear();
  response_headers_.clear();
  failure_ = HttpFailure::none;
  if (!transfer_ || url_.empty()) return fail(HttpFailure::broken);

  std::string body = !body_bytes.empty() ? std::string(body_bytes) : utf8_from_gbk(body_text);
  std::string method = method_;
  std::string url = escape_for_request(url_);
  const long long total_ms = static_cast<long long>(resolve_ms_) + connect_ms_ + send_ms_ + receive_ms_;
  const bool limited = resolve_ms_ > 0 && connect_ms_ > 0 && send_ms_ > 0 && receive_ms_ > 0;
  deadline_ = limited ? Clock::now() + std::chrono::milliseconds(total_ms) : Clock::time_point::max();
  apply_settings();
  for (int redirects = 0;; ++redirects) {
    final_url_ = url;
    perform(url, method, body);
    if (failure_ != HttpFailure::none || !is_redirect_status(status_)) return;
    char* location = nullptr;
    curl_easy_getinfo(transfer_->easy, CURLINFO_REDIRECT_URL, &location);
    if (location == nullptr) return;  // a redirect status without a target is the answer itself
    std::string target = location;
    if (redirect_stop_ && redirect_stop_(target)) {
      final_url_ = std::move(target);
      return;
    }
    if (redirects == kMaxRedirects || !redirect_allowed(url, target)) return fail(HttpFailure::bad_redirect);
    if (status_ == 303 || ((status_ == 301 || status_ == 302) && method == "POST")) {
      method = "GET";
      body.clear();
    }
    url = std::move(target);
  }
}

void HttpRequest::apply_settings() {
  CURL* easy = transfer_->easy;
  curl_slist_free_all(transfer_->headers);
  transfer_->headers = nullptr;
  for (const std::string& header : request_headers_) {
    transfer_->headers = curl_slist_append(transfer_->headers, header.c_str());
  }
  // libcurl would otherwise wait for "100 Continue" before a larger body.
  transfer_->headers = curl_slist_append(transfer_->headers, "Expect:");
  curl_easy_setopt(easy, CURLOPT_HTTPHEADER, transfer_->headers);
  // An empty proxy also keeps libcurl from taking one from the environment.
  curl_easy_setopt(easy, CURLOPT_PROXY, proxy_server_.c_str());
  curl_easy_setopt(easy, CURLOPT_NOPROXY, proxy_server_.empty() ? nullptr : bypass_list_.c_str());
  // Each of the two has its own limit in run_transfer; libcurl's bound on both together
  // is only a backstop.
  curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS,
                   static_cast<long>(resolve_ms_ + static_cast<long long>(connect_ms_)));
}

void HttpRequest::perform(const std::string& url, const std::string& method, const std::string& body) {
  CURL* easy = transfer_->easy;
  curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
  curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, nullptr);
  if (method == "GET") {
    curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
  } else {
    curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
    curl_easy_setopt(easy, CURLOPT_POSTFIELDS, body.data());
    if (method != "POST") curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, method.c_str());
  }
  status_ = 0;
  response_body_.clear();
  response_headers_.clear();
  transfer_->too_large = false;
  transfer_->phase = Phase::connecting;
  transfer_->last_activity = Clock::now();
  transfer_->upload_size = method == "GET" ? 0 : static_cast<curl_off_t>(body.size());
  transfer_->uploaded = 0;

  curl_multi_add_handle(transfer_->multi, easy);
  const HttpFailure failure = run_transfer();
  curl_multi_remove_handle(transfer_->multi, easy);
  if (failure != HttpFailure::none) return fail(failure);
  long status = 0;
  curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
  status_ = static_cast<int>(status);
}

HttpFailure HttpRequest::run_transfer() {
  Transfer& transfer = *transfer_;
  auto next_events = Clock::now() + kEventSlice;
  for (;;) {
    if (stop_requested_) return HttpFailure::stopped;
    int running = 0;
    curl_multi_perform(transfer.multi, &running);
    if (running == 0) break;
    curl_multi_poll(transfer.multi, nullptr, 0, static_cast<int>(kEventSlice.count()), nullptr);

    const auto now = Clock::now();
    if (now >= next_events) {
      window_.process_pending_events();
      next_events = Clock::now() + kEventSlice;
    }
    if (transfer.phase == Phase::sending) {
      curl_off_t uploaded = 0;
      curl_easy_getinfo(transfer.easy, CURLINFO_SIZE_UPLOAD_T, &uploaded);
      if (uploaded != transfer.uploaded) {
        transfer.uploaded = uploaded;
        transfer.last_activity = now;
      }
      if (uploaded >= transfer.upload_size) transfer.received();
    }
    auto phase_start = transfer.last_activity;
    int limit_ms = transfer.phase == Phase::sending ? send_ms_ : receive_ms_;
    if (transfer.phase == Phase::connecting) {
      // Until the name is looked up its limit runs; connecting then gets a limit of its own.
      curl_off_t lookup_us = 0;
      curl_easy_getinfo(transfer.easy, CURLINFO_NAMELOOKUP_TIME_T, &lookup_us);
      phase_start += std::chrono::microseconds(lookup_us);
      limit_ms = lookup_us == 0 ? resolve_ms_ : connect_ms_;
    }
    if (limit_ms > 0 && now - phase_start > std::chrono::milliseconds(limit_ms))
      return HttpFailure::timed_out;
    if (now > deadline_) return HttpFailure::timed_out;
  }

  int queued = 0;
  const CURLMsg* message = curl_multi_info_read(transfer.multi, &queued);
  const CURLcode code = message != nullptr ? message->data.result : CURLE_RECV_ERROR;
  switch (code) {
    case CURLE_OK:
      return HttpFailure::none;
    case CURLE_COULDNT_RESOLVE_HOST:
      return HttpFailure::not_resolved;
    case CURLE_COULDNT_RESOLVE_PROXY:
      return HttpFailure::proxy_failed;
    case CURLE_COULDNT_CONNECT:
      return proxy_server_.empty() ? HttpFailure::not_connected : HttpFailure::proxy_failed;
    case CURLE_OPERATION_TIMEDOUT:
      return HttpFailure::timed_out;
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CACERT_BADFILE:
      return HttpFailure::cert_rejected;
    case CURLE_WRITE_ERROR:
      return transfer.too_large ? HttpFailure::too_large : HttpFailure::broken;
    default:
      return HttpFailure::broken;
  }
}

void HttpRequest::fail(HttpFailure failure) {
  failure_ = failure;
  status_ = 0;
  response_body_.clear();
  response_headers_.clear();
}

int HttpRequest::Status() const {
  return status_;
}

const std::string& HttpRequest::ResponseBody() const {
  return response_body_;
}

std::string HttpRequest::ResponseCharset() const {
  return content_type_charset(response_headers_);
}

std::string HttpRequest::ResponseText() const {
  const std::string charset = ResponseCharset();
  return charset.starts_with("utf-8") || charset.starts_with("utf8") ? utf8_to_ansi(response_body_)
                                                                     : response_body_;
}
