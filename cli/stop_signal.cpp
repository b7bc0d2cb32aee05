#include "cli/stop_signal.h"

#include <atomic>
#include <csignal>

namespace {

// Written by the handler, so it must be lock-free to be safe there.
std::atomic<int> received_signal{0};
static_assert(std::atomic<int>::is_always_lock_free);

void note_signal(int number) {
  received_signal.store(number, std::memory_order_relaxed);
}

}  // namespace

void catch_stop_signals() {
  struct sigaction action {};
  action.sa_handler = note_signal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

int stop_signal() {
  return received_signal.load(std::memory_order_relaxed);
}
