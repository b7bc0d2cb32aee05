#include "support/keyed_hash.h"

#include <openssl/evp.h>
#include <openssl/hmac.h>
#include <openssl/rand.h>

#include <climits>

std::string hmac_sha256(std::string_view key, std::string_view message) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int size = 0;
  // A key longer than an int could not be passed; ours are 32 bytes.
  if (key.size() > INT_MAX) return {};
  if (HMAC(EVP_sha256(), key.data(), static_cast<int>(key.size()),
           reinterpret_cast<const unsigned char*>(message.data()), message.size(), digest, &size) == nullptr)
    return {};
  return std::string(reinterpret_cast<const char*>(digest), size);
}

std::string random_bytes(size_t size) {
  std::string bytes(size, '\0');
  if (size > INT_MAX || RAND_bytes(reinterpret_cast<unsigned char*>(bytes.data()), static_cast<int>(size)) != 1)
    return {};
  return bytes;
}
