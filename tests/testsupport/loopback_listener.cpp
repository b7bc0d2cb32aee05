#include "tests/testsupport/loopback_listener.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

LoopbackListener::LoopbackListener() {
  int pipe_ends[2];
  if (pipe2(pipe_ends, O_CLOEXEC | O_NONBLOCK) != 0) throw std::runtime_error("pipe2 failed");
  wake_read_ = pipe_ends[0];
  wake_write_ = pipe_ends[1];

  listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (listener_ < 0 || bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(listener_, 64) != 0 ||
      getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    close(wake_read_);
    close(wake_write_);
    if (listener_ >= 0) close(listener_);
    throw std::runtime_error("cannot listen on 127.0.0.1");
  }
  port_ = ntohs(address.sin_port);
}

LoopbackListener::~LoopbackListener() {
  close(listener_);
  close(wake_read_);
  close(wake_write_);
}

void LoopbackListener::wake() const {
  const char wake = 1;
  [[maybe_unused]] const ssize_t written = write(wake_write_, &wake, 1);
}
