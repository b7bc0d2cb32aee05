#include "tests/testsupport/tls_front.h"

#include <fcntl.h>
#include <openssl/pem.h>
#include <poll.h>
#include <unistd.h>

#include <csignal>
#include <stdexcept>

namespace {

// The handshake on the non-blocking `tls`; false when it failed or the server goes.
bool accept_handshake(SSL* tls, int fd, int wake_fd) {
  for (;;) {
    if (SSL_accept(tls) == 1) return true;
    const int error = SSL_get_error(tls, 0);
    if (error != SSL_ERROR_WANT_READ && error != SSL_ERROR_WANT_WRITE) return false;
    if (!wait_ready(fd, error == SSL_ERROR_WANT_READ ? POLLIN : POLLOUT, wake_fd)) return false;
  }
}

void use_certificate(SSL_CTX* context, const ServerCertificate& certificate) {
  BIO* certificate_pem = BIO_new_mem_buf(certificate.certificate_pem.data(),
                                         static_cast<int>(certificate.certificate_pem.size()));
  BIO* key_pem = BIO_new_mem_buf(certificate.key_pem.data(), static_cast<int>(certificate.key_pem.size()));
  X509* x509 = PEM_read_bio_X509(certificate_pem, nullptr, nullptr, nullptr);
  EVP_PKEY* key = PEM_read_bio_PrivateKey(key_pem, nullptr, nullptr, nullptr);
  const bool used = x509 != nullptr && key != nullptr && SSL_CTX_use_certificate(context, x509) == 1 &&
                    SSL_CTX_use_PrivateKey(context, key) == 1;
  X509_free(x509);
  EVP_PKEY_free(key);
  BIO_free(certificate_pem);
  BIO_free(key_pem);
  if (!used) throw std::runtime_error("the TLS front cannot use its certificate");
}

}  // namespace

TlsFront::TlsFront(const ServerCertificate& certificate, int backend_port)
    : context_(SSL_CTX_new(TLS_server_method())), backend_port_(backend_port) {
  if (context_ == nullptr) throw std::runtime_error("no TLS context");
  // OpenSSL writes to the socket with write(): a client that hangs up on a failed
  // verification would otherwise end the whole test program.
  signal(SIGPIPE, SIG_IGN);
  // The relay may append to a buffer whose write is to be retried.
  SSL_CTX_set_mode(context_, SSL_MODE_ACCEPT_MOVING_WRITE_BUFFER | SSL_MODE_ENABLE_PARTIAL_WRITE);
  use_certificate(context_, certificate);
  server_ = std::make_unique<LoopbackServer>([this](int fd, int wake_fd) { serve(fd, wake_fd); });
}

TlsFront::~TlsFront() {
  server_.reset();
  SSL_CTX_free(context_);
}

std::vector<std::string> TlsFront::server_names() const {
  const std::lock_guard lock(mutex_);
  return server_names_;
}

void TlsFront::serve(int fd, int wake_fd) {
  // Non-blocking, so that a client that stops half-way through the handshake holds no one up.
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
  SSL* tls = SSL_new(context_);
  SSL_set_fd(tls, fd);
  if (accept_handshake(tls, fd, wake_fd)) {
    const char* name = SSL_get_servername(tls, TLSEXT_NAMETYPE_host_name);
    {
      const std::lock_guard lock(mutex_);
      server_names_.emplace_back(name != nullptr ? name : "");
    }
    if (const int backend = connect_loopback(backend_port_); backend >= 0) {
      relay({.fd = fd, .tls = tls}, {.fd = backend}, wake_fd);
      SSL_shutdown(tls);
      close(backend);
    }
  }
  SSL_free(tls);
}
