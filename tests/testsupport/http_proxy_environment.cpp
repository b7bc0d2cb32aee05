#include "tests/testsupport/http_proxy_environment.h"

#include <cstdlib>

namespace {

constexpr const char* kNames[] = {"http_proxy", "HTTP_PROXY"};

void set_or_clear(const char* name, const std::optional<std::string>& value) {
  if (value) {
    setenv(name, value->c_str(), 1);
  } else {
    unsetenv(name);
  }
}

}  // namespace

ScopedProxyEnvironment::ScopedProxyEnvironment(const std::optional<std::string>& value) {
  for (const char* name : kNames) {
    const char* old = std::getenv(name);
    saved_.push_back(old != nullptr ? std::optional<std::string>(old) : std::nullopt);
    set_or_clear(name, value);
  }
}

ScopedProxyEnvironment::~ScopedProxyEnvironment() {
  for (size_t i = 0; i < saved_.size(); ++i) set_or_clear(kNames[i], saved_[i]);
}
