#pragma once

#include <optional>
#include <string>
#include <vector>

// Sets (or, given nothing, clears) http_proxy and HTTP_PROXY, the system proxy the
// HTTP fetch reads for "IE", and puts the old values back when it goes.
class ScopedProxyEnvironment {
 public:
  explicit ScopedProxyEnvironment(const std::optional<std::string>& value);
  ~ScopedProxyEnvironment();
  ScopedProxyEnvironment(const ScopedProxyEnvironment&) = delete;
  ScopedProxyEnvironment& operator=(const ScopedProxyEnvironment&) = delete;

 private:
  std::vector<std::optional<std::string>> saved_;
};
