#pragma once

#include <string>

// A non-blocking listening socket on 127.0.0.1 at a port of its own, with a wake
// pipe that a server's threads poll beside it to learn that the server goes.
class LoopbackListener {
 public:
  LoopbackListener();
  ~LoopbackListener();
  LoopbackListener(const LoopbackListener&) = delete;
  LoopbackListener& operator=(const LoopbackListener&) = delete;

  int fd() const { return listener_; }
  // Turns readable at wake() and stays so.
  int wake_fd() const { return wake_read_; }
  void wake() const;
  int port() const { return port_; }
  // "127.0.0.1:PORT".
  std::string address() const { return "127.0.0.1:" + std::to_string(port_); }

 private:
  int listener_ = -1;
  int wake_read_ = -1;
  int wake_write_ = -1;
  int port_ = 0;
};
