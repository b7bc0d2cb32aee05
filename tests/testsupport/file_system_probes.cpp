#include "tests/testsupport/file_system_probes.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <stdexcept>
#include <utility>

FileSizeLimit::FileSizeLimit(rlim_t bytes) {
  getrlimit(RLIMIT_FSIZE, &previous_);
  previous_handler_ = std::signal(SIGXFSZ, SIG_IGN);
  const rlimit limit{bytes, previous_.rlim_max};
  setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
  setrlimit(RLIMIT_FSIZE, &previous_);
  std::signal(SIGXFSZ, previous_handler_);
}

RenamesOnto::RenamesOnto(const std::filesystem::path& folder, std::string name)
    : watch_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)), name_(std::move(name)) {
  // Renames away are watched too: unread events that are the same (two renames
  // onto one name in a row) would be merged into one, and a rename away from
  // another name between them keeps them apart.
  if (watch_ < 0 || inotify_add_watch(watch_, folder.c_str(), IN_MOVED_FROM | IN_MOVED_TO) < 0)
    throw std::runtime_error("cannot watch " + folder.string());
}

RenamesOnto::~RenamesOnto() {
  close(watch_);
}

int RenamesOnto::count() {
  alignas(inotify_event) char buffer[16384];
  for (;;) {
    const ssize_t length = read(watch_, buffer, sizeof buffer);
    if (length <= 0) return count_;
    for (ssize_t at = 0; at < length;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
      if ((event->mask & IN_MOVED_TO) != 0 && event->len > 0 && name_ == event->name) ++count_;
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    }
  }
}
