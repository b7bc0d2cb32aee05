#pragma once

#include <openssl/ssl.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "tests/testsupport/loopback_relay.h"
#include "tests/testsupport/test_certificates.h"

// A TLS server on 127.0.0.1 that shows `certificate` and passes what a client
// sends, decrypted, to the plain server at 127.0.0.1:`backend_port` (a local
// engine), and its answer back: the local engine then speaks https.
class TlsFront {
 public:
  TlsFront(const ServerCertificate& certificate, int backend_port);
  ~TlsFront();
  TlsFront(const TlsFront&) = delete;
  TlsFront& operator=(const TlsFront&) = delete;

  int port() const { return server_->port(); }
  // "127.0.0.1:PORT".
  std::string address() const { return server_->address(); }
  // The host names clients asked for in the handshakes that completed (empty
  // for a client that named none), in order.
  std::vector<std::string> server_names() const;

 private:
  void serve(int fd, int wake_fd);

  SSL_CTX* context_ = nullptr;
  int backend_port_ = 0;
  mutable std::mutex mutex_;
  std::vector<std::string> server_names_;
  std::unique_ptr<LoopbackServer> server_;  // last: it goes first, while the rest still stands
};
