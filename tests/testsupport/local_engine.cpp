#include "tests/testsupport/local_engine.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <list>
#include <optional>

namespace {

using Clock = std::chrono::steady_clock;

// Output is topped up with body copies while less than this is waiting.
constexpr size_t kOutputLowWater = 64 * 1024;

std::string lower(std::string_view text) {
  std::string lowered(text);
  std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lowered;
}

std::string_view reason_phrase(int status) {
  switch (status) {
    case 200:
      return "OK";
    case 301:
      return "Moved Permanently";
    case 302:
      return "Found";
    case 303:
      return "See Other";
    case 307:
      return "Temporary Redirect";
    case 308:
      return "Permanent Redirect";
    case 403:
      return "Forbidden";
    case 404:
      return "Not Found";
    case 500:
      return "Internal Server Error";
    case 502:
      return "Bad Gateway";
    case 503:
      return "Service Unavailable";
    default:
      return "Status";
  }
}

// The value of a header (name in lower case), or nothing.
std::optional<std::string> header_value(std::string_view header_bytes, std::string_view name) {
  for (size_t start = 0; start < header_bytes.size();) {
    const size_t end = header_bytes.find("\r\n", start);
    const std::string_view line = header_bytes.substr(start, end - start);
    start = end == std::string_view::npos ? header_bytes.size() : end + 2;
    const size_t colon = line.find(':');
    if (colon == std::string_view::npos || lower(line.substr(0, colon)) != name) continue;
    std::string_view value = line.substr(colon + 1);
    while (!value.empty() && value.front() == ' ') value.remove_prefix(1);
    return std::string(value);
  }
  return std::nullopt;
}

std::string host_without_port(std::string_view host) {
  return lower(host.substr(0, host.rfind(':')));
}

// The request at the start of `input` once it is complete, with the number of bytes it took.
std::optional<std::pair<ReceivedRequest, size_t>> parse_request(std::string_view input) {
  const size_t head_end = input.find("\r\n\r\n");
  if (head_end == std::string_view::npos) return std::nullopt;
  ReceivedRequest request;
  const size_t line_end = input.find("\r\n");
  request.request_line = input.substr(0, line_end);
  request.header_bytes = input.substr(line_end + 2, head_end + 2 - (line_end + 2));
  const size_t length = std::stoul(header_value(request.header_bytes, "content-length").value_or("0"));
  if (input.size() < head_end + 4 + length) return std::nullopt;
  request.body = input.substr(head_end + 4, length);

  const std::string_view line = request.request_line;
  const size_t first_blank = line.find(' ');
  const size_t second_blank = line.find(' ', first_blank + 1);
  request.method = line.substr(0, first_blank);
  request.target = line.substr(first_blank + 1, second_blank - first_blank - 1);
  const std::string_view target = request.target;
  if (const size_t scheme = target.find("://"); scheme != std::string_view::npos && target[0] != '/') {
    const std::string_view rest = target.substr(scheme + 3);
    const size_t slash = rest.find('/');
    request.host = host_without_port(rest.substr(0, slash));
    request.path = slash == std::string_view::npos ? "/" : std::string(rest.substr(slash));
    request.absolute_target = true;
  } else if (request.method == "CONNECT") {
    request.host = host_without_port(target);
    request.absolute_target = true;
  } else {
    request.host = host_without_port(header_value(request.header_bytes, "host").value_or(""));
    request.path = target;
  }
  return std::make_pair(std::move(request), head_end + 4 + length);
}

}  // namespace

Reply html_reply(std::string body, std::string_view charset) {
  Reply reply;
  reply.headers = "Content-Type: text/html";
  if (!charset.empty()) reply.headers.append("; charset=").append(charset);
  reply.headers.append("\r\n");
  reply.body = std::move(body);
  return reply;
}

Reply status_reply(int status) {
  Reply reply = html_reply("<html><body>" + std::to_string(status) + "</body></html>");
  reply.status = status;
  return reply;
}

Reply redirect_reply(int status, std::string_view location) {
  Reply reply = status_reply(status);
  reply.headers.append("Location: ").append(location).append("\r\n");
  return reply;
}

struct LocalEngine::Connection {
  int fd = -1;
  std::string input;
  bool answered = false;
  bool never_answer = false;
  std::string output;
  size_t sent = 0;
  std::string body;
  int copies_left = 0;
  int pause_ms = 0;
  Clock::time_point next_copy;
  bool closed = false;

  bool waiting_to_send() const { return answered && !never_answer && !closed; }
  bool all_sent() const { return copies_left == 0 && sent == output.size(); }
};

LocalEngine::LocalEngine(Handler handler) : handler_(std::move(handler)) {
  thread_ = std::thread([this] { run(); });
}

LocalEngine::~LocalEngine() {
  listening_.wake();
  thread_.join();
}

std::string LocalEngine::address() const {
  return listening_.address();
}

std::string LocalEngine::url(std::string_view path) const {
  return "http://" + address() + std::string(path);
}

void LocalEngine::serve(Handler handler) {
  const std::lock_guard lock(mutex_);
  handler_ = std::move(handler);
}

std::vector<ReceivedRequest> LocalEngine::requests() const {
  const std::lock_guard lock(mutex_);
  return requests_;
}

Reply LocalEngine::answer(const ReceivedRequest& request) {
  Handler handler;
  {
    const std::lock_guard lock(mutex_);
    requests_.push_back(request);
    handler = handler_;
  }
  return handler ? handler(request) : status_reply(404);
}

void LocalEngine::run() {
  std::list<Connection> connections;
  for (;;) {
    const auto now = Clock::now();
    int timeout_ms = 100;
    std::vector<pollfd> polled = {{listening_.wake_fd(), POLLIN, 0}, {listening_.fd(), POLLIN, 0}};
    for (const Connection& connection : connections) {
      short events = POLLIN;  // also tells when the client goes away
      if (connection.waiting_to_send()) {
        if (connection.sent < connection.output.size() ||
            (connection.copies_left > 0 && connection.next_copy <= now)) {
          events |= POLLOUT;
        } else if (connection.copies_left > 0) {
          const auto wait = std::chrono::ceil<std::chrono::milliseconds>(connection.next_copy - now);
          timeout_ms = std::min(timeout_ms, static_cast<int>(wait.count()));
        }
      }
      polled.push_back({connection.fd, events, 0});
    }
    if (poll(polled.data(), polled.size(), timeout_ms) < 0) continue;
    if (polled[0].revents != 0) break;

    auto entry = polled.begin() + 2;
    for (Connection& connection : connections) {
      const short revents = (entry++)->revents;
      if ((revents & (POLLIN | POLLHUP | POLLERR)) != 0) read_from(connection);
      if (!connection.closed && connection.waiting_to_send()) write_to(connection);
    }
    if ((polled[1].revents & POLLIN) != 0) {
      for (int fd; (fd = accept4(listening_.fd(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC)) >= 0;) {
        connections.emplace_back().fd = fd;
      }
    }
    for (auto it = connections.begin(); it != connections.end();) {
      if (!it->closed) {
        ++it;
        continue;
      }
      close(it->fd);
      it = connections.erase(it);
    }
  }
  for (const Connection& connection : connections) close(connection.fd);
}

void LocalEngine::read_from(Connection& connection) {
  char buffer[16 * 1024];
  const ssize_t got = recv(connection.fd, buffer, sizeof buffer, 0);
  if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) return;
  if (got <= 0) {
    connection.closed = true;
    return;
  }
  if (connection.answered) return;  // one request per connection
  connection.input.append(buffer, static_cast<size_t>(got));
  const auto parsed = parse_request(connection.input);
  if (!parsed) return;

  const Reply reply = answer(parsed->first);
  connection.answered = true;
  connection.never_answer = reply.never_answer;
  const size_t length = reply.body.size() * static_cast<size_t>(std::max(reply.body_copies, 0));
  connection.output =
      "HTTP/1.1 " + std::to_string(reply.status) + " " + std::string(reason_phrase(reply.status)) +
      "\r\nContent-Length: " + std::to_string(length) + "\r\nConnection: close\r\n" + reply.headers + "\r\n";
  connection.body = reply.body;
  connection.copies_left = reply.body.empty() ? 0 : reply.body_copies;
  connection.pause_ms = reply.pause_ms;
  connection.next_copy = Clock::now() + std::chrono::milliseconds(reply.pause_ms);
}

void LocalEngine::write_to(Connection& connection) {
  const auto now = Clock::now();
  while (connection.copies_left > 0 && connection.output.size() - connection.sent < kOutputLowWater &&
         connection.next_copy <= now) {
    connection.output.erase(0, connection.sent);
    connection.sent = 0;
    connection.output.append(connection.body);
    --connection.copies_left;
    connection.next_copy = now + std::chrono::milliseconds(connection.pause_ms);
  }
  while (connection.sent < connection.output.size()) {
    const ssize_t put = send(connection.fd, connection.output.data() + connection.sent,
                             connection.output.size() - connection.sent, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (put < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) return;
    if (put <= 0) {
      connection.closed = true;
      return;
    }
    connection.sent += static_cast<size_t>(put);
  }
  if (!connection.all_sent()) return;
  shutdown(connection.fd, SHUT_WR);
  connection.closed = true;
}
