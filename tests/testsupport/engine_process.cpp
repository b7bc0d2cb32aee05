#include "tests/testsupport/engine_process.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "tests/testsupport/http_search_site.h"
#include "tests/testsupport/local_engine.h"

EngineProcess::EngineProcess() {
  int port_pipe[2];
  int hold_pipe[2];
  if (pipe(port_pipe) != 0 || pipe(hold_pipe) != 0) std::abort();
  child_ = fork();
  if (child_ == 0) {
    close(port_pipe[0]);
    close(hold_pipe[1]);
    SearchSite site;
    LocalEngine engine([&site](const ReceivedRequest& request) { return site.answer(request); });
    const int port = engine.port();
    if (write(port_pipe[1], &port, sizeof port) != sizeof port) _exit(1);
    char byte;
    while (read(hold_pipe[0], &byte, 1) > 0) {
    }
    _exit(0);
  }
  close(port_pipe[1]);
  close(hold_pipe[0]);
  hold_ = hold_pipe[1];
  if (read(port_pipe[0], &port_, sizeof port_) != sizeof port_) std::abort();
  close(port_pipe[0]);
}

EngineProcess::~EngineProcess() {
  close(hold_);
  waitpid(child_, nullptr, 0);
}
