#include "tests/testsupport/tunnel_proxy.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string_view>

namespace {

constexpr std::string_view kTunnelOpened = "HTTP/1.1 200 Connection established\r\n\r\n";

// What the client sent up to the end of its request head; empty when it went
// before that, or the proxy goes.
std::string read_request_head(int fd, int wake_fd) {
  std::string input;
  char buffer[4096];
  while (input.find("\r\n\r\n") == std::string::npos) {
    if (!wait_ready(fd, POLLIN, wake_fd)) return {};
    const ssize_t got = recv(fd, buffer, sizeof buffer, 0);
    if (got <= 0) return {};
    input.append(buffer, static_cast<size_t>(got));
  }
  return input;
}

}  // namespace

TunnelProxy::TunnelProxy(int plain_port, int tunnel_port)
    : plain_port_(plain_port),
      tunnel_port_(tunnel_port),
      server_([this](int fd, int wake_fd) { serve(fd, wake_fd); }) {}

std::vector<std::string> TunnelProxy::request_lines() const {
  const std::lock_guard lock(mutex_);
  return request_lines_;
}

void TunnelProxy::serve(int fd, int wake_fd) {
  std::string input = read_request_head(fd, wake_fd);
  if (input.empty()) return;
  const std::string request_line = input.substr(0, input.find("\r\n"));
  {
    const std::lock_guard lock(mutex_);
    request_lines_.push_back(request_line);
  }
  const bool tunnel = request_line.starts_with("CONNECT ");
  const int upstream = connect_loopback(tunnel ? tunnel_port_ : plain_port_);
  if (upstream < 0) return;
  if (tunnel) {
    // A client waits for the tunnel before it sends more; anything sent already goes through it.
    input.erase(0, input.find("\r\n\r\n") + 4);
    // When this fails the client is gone, and the relay ends at once.
    send(fd, kTunnelOpened.data(), kTunnelOpened.size(), MSG_NOSIGNAL);
  }
  relay({.fd = fd}, {.fd = upstream}, wake_fd, std::move(input));
  close(upstream);
}
