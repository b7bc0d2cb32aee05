#include "tests/testsupport/trusted_authority.h"

#include <cstdlib>

#include "tests/testsupport/file_bytes.h"

namespace {

constexpr const char* kBundleVariable = "CURL_CA_BUNDLE";

}  // namespace

ScopedTrustedAuthority::ScopedTrustedAuthority(const TestCertificateAuthority& authority) {
  if (const char* old = std::getenv(kBundleVariable)) saved_ = old;
  const std::filesystem::path bundle = folder_ / "authority.pem";
  write_file_bytes(bundle, authority.certificate_pem());
  setenv(kBundleVariable, bundle.c_str(), 1);
}

ScopedTrustedAuthority::~ScopedTrustedAuthority() {
  if (saved_) {
    setenv(kBundleVariable, saved_->c_str(), 1);
  } else {
    unsetenv(kBundleVariable);
  }
}
