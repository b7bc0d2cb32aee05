#pragma once

#include <optional>
#include <string>

#include "tests/testsupport/temp_dir.h"
#include "tests/testsupport/test_certificates.h"

// Makes the HTTP fetches trust `authority` while this object lives:
// its certificate is written to a bundle file that CURL_CA_BUNDLE names.
class ScopedTrustedAuthority {
 public:
  explicit ScopedTrustedAuthority(const TestCertificateAuthority& authority);
  ~ScopedTrustedAuthority();
  ScopedTrustedAuthority(const ScopedTrustedAuthority&) = delete;
  ScopedTrustedAuthority& operator=(const ScopedTrustedAuthority&) = delete;

 private:
  TempDir folder_;
  std::optional<std::string> saved_;
};
