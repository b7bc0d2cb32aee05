#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "tests/testsupport/loopback_relay.h"

// An HTTP proxy on 127.0.0.1 that opens every CONNECT tunnel, whatever host and
// port it names, to 127.0.0.1:`tunnel_port` (a TLS front), and passes every other
// request to 127.0.0.1:`plain_port` (a local engine, which reads a proxy's
// request lines). No request leaves the machine.
class TunnelProxy {
 public:
  TunnelProxy(int plain_port, int tunnel_port);

  // "127.0.0.1:PORT", as the proxy setting takes it.
  std::string address() const { return server_.address(); }
  // The request lines it was asked with, in order.
  std::vector<std::string> request_lines() const;

 private:
  void serve(int fd, int wake_fd);

  int plain_port_ = 0;
  int tunnel_port_ = 0;
  mutable std::mutex mutex_;
  std::vector<std::string> request_lines_;
  LoopbackServer server_;  // last: it goes first, while the rest still stands
};
