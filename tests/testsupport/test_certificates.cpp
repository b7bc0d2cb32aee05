#include "tests/testsupport/test_certificates.h"

#include <arpa/inet.h>
#include <openssl/pem.h>
#include <openssl/x509v3.h>

#include <functional>
#include <stdexcept>

namespace {

constexpr long kHour = 60 * 60;

void check(bool done, const char* what) {
  if (!done) throw std::runtime_error(std::string("cannot make a test certificate: ") + what);
}

EVP_PKEY* new_key() {
  EVP_PKEY* key = EVP_PKEY_Q_keygen(nullptr, nullptr, "EC", "P-256");
  check(key != nullptr, "key");
  return key;
}

void add_extension(X509* certificate, X509* issuer, int nid, const std::string& value) {
  X509V3_CTX context;
  X509V3_set_ctx_nodb(&context);
  X509V3_set_ctx(&context, issuer, certificate, nullptr, nullptr, 0);
  X509_EXTENSION* extension = X509V3_EXT_conf_nid(nullptr, &context, nid, value.c_str());
  check(extension != nullptr && X509_add_ext(certificate, extension, -1) == 1, "extension");
  X509_EXTENSION_free(extension);
}

// A certificate for `key` named `common_name`, valid from `from` to `until` seconds
// from now; the caller adds the extensions and signs it.
X509* new_certificate(EVP_PKEY* key, std::string_view common_name, long from, long until) {
  static long serial = 0;
  X509* certificate = X509_new();
  check(certificate != nullptr, "certificate");
  X509_set_version(certificate, X509_VERSION_3);
  ASN1_INTEGER_set(X509_get_serialNumber(certificate), ++serial);
  X509_gmtime_adj(X509_getm_notBefore(certificate), from);
  X509_gmtime_adj(X509_getm_notAfter(certificate), until);
  X509_set_pubkey(certificate, key);
  X509_NAME_add_entry_by_txt(X509_get_subject_name(certificate), "CN", MBSTRING_UTF8,
                             reinterpret_cast<const unsigned char*>(common_name.data()),
                             static_cast<int>(common_name.size()), -1, 0);
  return certificate;
}

std::string pem_of(const std::function<int(BIO*)>& write) {
  BIO* bio = BIO_new(BIO_s_mem());
  check(bio != nullptr && write(bio) == 1, "PEM");
  char* data = nullptr;
  const long length = BIO_get_mem_data(bio, &data);
  std::string pem(data, static_cast<size_t>(length));
  BIO_free(bio);
  return pem;
}

std::string subject_alt_names(const std::vector<std::string>& names) {
  std::string value;
  for (const std::string& name : names) {
    in_addr address{};
    value += value.empty() ? "" : ",";
    value += (inet_pton(AF_INET, name.c_str(), &address) == 1 ? "IP:" : "DNS:") + name;
  }
  return value;
}

}  // namespace

TestCertificateAuthority::TestCertificateAuthority(std::string_view name) : key_(new_key()) {
  certificate_.reset(new_certificate(key_.get(), name, -kHour, 24 * kHour));
  X509* certificate = certificate_.get();
  X509_set_issuer_name(certificate, X509_get_subject_name(certificate));
  add_extension(certificate, certificate, NID_basic_constraints, "critical,CA:TRUE");
  add_extension(certificate, certificate, NID_key_usage, "critical,keyCertSign,cRLSign");
  add_extension(certificate, certificate, NID_subject_key_identifier, "hash");
  check(X509_sign(certificate, key_.get(), EVP_sha256()) > 0, "signature");
}

std::string TestCertificateAuthority::certificate_pem() const {
  return pem_of([this](BIO* bio) { return PEM_write_bio_X509(bio, certificate_.get()); });
}

ServerCertificate TestCertificateAuthority::issue(const std::vector<std::string>& names,
                                                  Validity validity) const {
  const std::unique_ptr<EVP_PKEY, FreeKey> key(new_key());
  const bool expired = validity == Validity::expired;
  const std::unique_ptr<X509, FreeCertificate> certificate(new_certificate(
      key.get(), names.at(0), expired ? -48 * kHour : -kHour, expired ? -24 * kHour : 24 * kHour));
  X509* issued = certificate.get();
  X509_set_issuer_name(issued, X509_get_subject_name(certificate_.get()));
  add_extension(issued, certificate_.get(), NID_basic_constraints, "critical,CA:FALSE");
  add_extension(issued, certificate_.get(), NID_key_usage, "critical,digitalSignature");
  add_extension(issued, certificate_.get(), NID_ext_key_usage, "serverAuth");
  add_extension(issued, certificate_.get(), NID_subject_alt_name, subject_alt_names(names));
  add_extension(issued, certificate_.get(), NID_authority_key_identifier, "keyid:always");
  check(X509_sign(issued, key_.get(), EVP_sha256()) > 0, "signature");
  return {
      .certificate_pem = pem_of([issued](BIO* bio) { return PEM_write_bio_X509(bio, issued); }),
      .key_pem = pem_of([&key](BIO* bio) {
        return PEM_write_bio_PrivateKey(bio, key.get(), nullptr, nullptr, 0, nullptr, nullptr);
      }),
  };
}
