#include "tests/testsupport/loopback_relay.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace {

// Bytes handed to one TLS write: a retried write must start with the same bytes.
constexpr size_t kWriteChunk = 16 * 1024;

struct Side {
  RelayEnd end;
  std::string out;  // waiting to be written to this end
  bool closed = false;
  bool failed = false;
  bool tls_wants_write = false;
};

bool try_again() {
  return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
}

// Reads what `from` has into `into`.
void read_available(Side& from, std::string& into) {
  char buffer[16 * 1024];
  while (!from.closed) {
    if (from.end.tls != nullptr) {
      size_t got = 0;
      if (SSL_read_ex(from.end.tls, buffer, sizeof buffer, &got) == 1) {
        into.append(buffer, got);
        continue;
      }
      const int error = SSL_get_error(from.end.tls, 0);
      if (error == SSL_ERROR_WANT_READ) return;
      if (error == SSL_ERROR_WANT_WRITE) {
        from.tls_wants_write = true;
        return;
      }
      from.closed = true;
      return;
    }
    const ssize_t got = recv(from.end.fd, buffer, sizeof buffer, 0);
    if (got > 0) {
      into.append(buffer, static_cast<size_t>(got));
    } else if (got < 0 && try_again()) {
      return;
    } else {
      from.closed = true;
    }
  }
}

// Writes what waits for `to`, as far as it takes it now.
void write_waiting(Side& to) {
  to.tls_wants_write = false;
  while (!to.out.empty() && !to.failed) {
    if (to.end.tls != nullptr) {
      size_t put = 0;
      if (SSL_write_ex(to.end.tls, to.out.data(), std::min(to.out.size(), kWriteChunk), &put) == 1) {
        to.out.erase(0, put);
        continue;
      }
      const int error = SSL_get_error(to.end.tls, 0);
      to.tls_wants_write = error == SSL_ERROR_WANT_WRITE;
      to.failed = error != SSL_ERROR_WANT_READ && error != SSL_ERROR_WANT_WRITE;
      return;
    }
    const ssize_t put = send(to.end.fd, to.out.data(), to.out.size(), MSG_NOSIGNAL);
    if (put > 0) {
      to.out.erase(0, static_cast<size_t>(put));
    } else if (!try_again()) {
      to.failed = true;
    } else {
      return;
    }
  }
}

short events_for(const Side& side) {
  short events = side.closed ? 0 : POLLIN;
  if (!side.out.empty() || side.tls_wants_write) events |= POLLOUT;
  return events;
}

void make_non_blocking(int fd) {
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
}

}  // namespace

void relay(RelayEnd a, RelayEnd b, int wake_fd, std::string to_b) {
  make_non_blocking(a.fd);
  make_non_blocking(b.fd);
  Side sides[2] = {{.end = a, .out = {}}, {.end = b, .out = std::move(to_b)}};
  for (;;) {
    read_available(sides[0], sides[1].out);
    read_available(sides[1], sides[0].out);
    write_waiting(sides[0]);
    write_waiting(sides[1]);
    if (sides[0].failed || sides[1].failed) return;
    if ((sides[0].closed && sides[1].out.empty()) || (sides[1].closed && sides[0].out.empty())) return;
    pollfd polled[] = {
        {wake_fd, POLLIN, 0}, {a.fd, events_for(sides[0]), 0}, {b.fd, events_for(sides[1]), 0}};
    if (poll(polled, 3, -1) < 0 && !try_again()) return;
    if (polled[0].revents != 0) return;
  }
}

bool wait_ready(int fd, short events, int wake_fd) {
  for (;;) {
    pollfd polled[] = {{wake_fd, POLLIN, 0}, {fd, events, 0}};
    if (poll(polled, 2, -1) < 0 && try_again()) continue;
    return polled[0].revents == 0;
  }
}

int connect_loopback(int port) {
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<uint16_t>(port));
  if (fd >= 0 && connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) return fd;
  if (fd >= 0) close(fd);
  return -1;
}

LoopbackServer::LoopbackServer(Serve serve) : serve_(std::move(serve)) {
  acceptor_ = std::thread([this] { accept_connections(); });
}

LoopbackServer::~LoopbackServer() {
  listening_.wake();
  acceptor_.join();
  for (std::thread& connection : connections_) connection.join();
}

void LoopbackServer::accept_connections() {
  while (wait_ready(listening_.fd(), POLLIN, listening_.wake_fd())) {
    for (int fd; (fd = accept4(listening_.fd(), nullptr, nullptr, SOCK_CLOEXEC)) >= 0;) {
      connections_.emplace_back([this, fd] {
        serve_(fd, listening_.wake_fd());
        close(fd);
      });
    }
  }
}
