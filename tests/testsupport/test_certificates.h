#pragma once

#include <openssl/evp.h>
#include <openssl/x509.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// A server certificate with its private key, both PEM.
struct ServerCertificate {
  std::string certificate_pem;
  std::string key_pem;
};

// A certificate authority made at run time for one test, and the server
// certificates it signs. Nothing trusts it but what the test points at it.
class TestCertificateAuthority {
 public:
  explicit TestCertificateAuthority(std::string_view name);

  std::string certificate_pem() const;

  enum class Validity { current, expired };
  // A certificate for the names: host names, or IPv4 addresses written as such.
  ServerCertificate issue(const std::vector<std::string>& names, Validity validity = Validity::current) const;

 private:
  struct FreeKey {
    void operator()(EVP_PKEY* key) const { EVP_PKEY_free(key); }
  };
  struct FreeCertificate {
    void operator()(X509* certificate) const { X509_free(certificate); }
  };

  std::unique_ptr<EVP_PKEY, FreeKey> key_;
  std::unique_ptr<X509, FreeCertificate> certificate_;
};
