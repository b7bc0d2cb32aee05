#pragma once

#include <sys/types.h>
#include <string>

// The local engine playing the search sites, in a child process that serves until
// this object goes: benchmarks measure their own memory without the engine's
// record of every request.
class EngineProcess {
 public:
  EngineProcess();
  ~EngineProcess();
  EngineProcess(const EngineProcess&) = delete;
  EngineProcess& operator=(const EngineProcess&) = delete;

  // "127.0.0.1:PORT", as the proxy setting takes it.
  std::string address() const { return "127.0.0.1:" + std::to_string(port_); }

 private:
  pid_t child_ = -1;
  int hold_ = -1;
  int port_ = 0;
};
