#include "app/browser_sandbox.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

void allow_browser_as_root() {
  if (geteuid() != 0) return;
  setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
  std::fputs("Running as root: the embedded browser's sandbox is turned off.\n", stderr);
}
