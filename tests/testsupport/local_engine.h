#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "tests/testsupport/loopback_listener.h"

// One request as the local engine received it.
struct ReceivedRequest {
  std::string request_line{};  // without its CR LF
  std::string header_bytes{};  // the header lines as sent, each with its CR LF, without the blank line
  std::string body{};
  std::string method{};
  std::string target{};          // as in the request line
  std::string host{};            // from an absolute target or the Host header; lower-case, without port
  std::string path{};            // path and query, also of an absolute target
  bool absolute_target = false;  // asked as a proxy is asked
};

// How the local engine answers one request. The answer always ends the connection.
struct Reply {
  int status = 200;
  std::string headers{};  // further "Name: value\r\n" lines
  std::string body{};
  int body_copies = 1;        // the body is sent this many times in a row
  int pause_ms = 0;           // pause before every copy of the body: a slow server
  bool never_answer = false;  // reads the request and says nothing, keeping the connection open
};

Reply html_reply(std::string body, std::string_view charset = "");
Reply status_reply(int status);
Reply redirect_reply(int status, std::string_view location);

// A small HTTP/1.1 server on 127.0.0.1 at a port of its own, running on its own
// thread. It answers origin-form and absolute (proxy) request lines alike, so a
// client that names it as its proxy reaches it with any host name in the URL, and
// no request can leave the machine. Every request is recorded.
class LocalEngine {
 public:
  using Handler = std::function<Reply(const ReceivedRequest&)>;

  // Without a handler every request is answered with 404.
  explicit LocalEngine(Handler handler = {});
  ~LocalEngine();
  LocalEngine(const LocalEngine&) = delete;
  LocalEngine& operator=(const LocalEngine&) = delete;

  int port() const { return listening_.port(); }
  // "127.0.0.1:PORT", as the proxy setting takes it.
  std::string address() const;
  // "http://127.0.0.1:PORT" followed by the path.
  std::string url(std::string_view path) const;

  void serve(Handler handler);
  std::vector<ReceivedRequest> requests() const;

 private:
  struct Connection;

  void run();
  void read_from(Connection& connection);
  void write_to(Connection& connection);
  Reply answer(const ReceivedRequest& request);

  LoopbackListener listening_;
  mutable std::mutex mutex_;
  Handler handler_;
  std::vector<ReceivedRequest> requests_;
  std::thread thread_;
};
