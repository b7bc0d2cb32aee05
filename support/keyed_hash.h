#pragma once

#include <string>
#include <string_view>

// The 32 bytes of HMAC-SHA-256 of `message` under `key` (OpenSSL's libcrypto).
std::string hmac_sha256(std::string_view key, std::string_view message);

// `size` bytes from the system's cryptographic random source; empty when it fails.
std::string random_bytes(size_t size);
