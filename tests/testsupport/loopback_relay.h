#pragma once

#include <openssl/ssl.h>

#include <functional>
#include <list>
#include <string>
#include <thread>

#include "tests/testsupport/loopback_listener.h"

// One end of a relayed connection: a socket, read and written through TLS when
// `tls` is set.
struct RelayEnd {
  int fd = -1;
  SSL* tls = nullptr;
};

// Passes bytes both ways between `a` and `b`, `to_b` first, until one end has
// closed and what it sent has been delivered, a write fails, or `wake_fd` turns
// readable.
void relay(RelayEnd a, RelayEnd b, int wake_fd, std::string to_b = {});

// Waits until `fd` is ready for `events` or `wake_fd` turns readable; false for the latter.
bool wait_ready(int fd, short events, int wake_fd);

// A connected socket to 127.0.0.1:`port`; -1 when it cannot connect.
int connect_loopback(int port);

// A server on 127.0.0.1 at a port of its own that hands every connection to
// `serve` on a thread of its own, and closes it when `serve` returns. `serve`
// returns soon after the wake descriptor it is given turns readable, which it does
// when the server goes.
class LoopbackServer {
 public:
  using Serve = std::function<void(int fd, int wake_fd)>;

  explicit LoopbackServer(Serve serve);
  ~LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  int port() const { return listening_.port(); }
  // "127.0.0.1:PORT".
  std::string address() const { return listening_.address(); }

 private:
  void accept_connections();

  Serve serve_;
  LoopbackListener listening_;
  std::list<std::thread> connections_;  // touched by the acceptor only, until it is joined
  std::thread acceptor_;
};
