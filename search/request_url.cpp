#include "search/request_url.h"

#include <cctype>

#include "support/gbk.h"

namespace {

constexpr std::string_view kHttp = "http://";
constexpr std::string_view kHttps = "https://";

bool starts_with_ignoring_case(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
  }
  return true;
}

// Unreserved and reserved characters of an address, and "%" of an escape already there.
bool is_url_safe(unsigned char byte) {
  if (byte <= 0x20 || byte >= 0x7F) return false;
  switch (byte) {
    case '"':
    case '<':
    case '>':
    case '\\':
    case '^':
    case '`':
    case '{':
    case '|':
    case '}':
      return false;
    default:
      return true;
  }
}

}  // namespace

std::string with_http_scheme(std::string_view url) {
  if (starts_with_ignoring_case(url, kHttp) || starts_with_ignoring_case(url, kHttps))
    return std::string(url);
  return std::string(kHttp).append(url);
}

std::string escape_for_request(std::string_view gbk_url) {
  static constexpr char kHexDigits[] = "0123456789ABCDEF";
  std::string escaped;
  for (const char c : utf8_from_gbk(gbk_url)) {
    const auto byte = static_cast<unsigned char>(c);
    if (is_url_safe(byte)) {
      escaped.push_back(c);
      continue;
    }
    escaped.push_back('%');
    escaped.push_back(kHexDigits[byte >> 4]);
    escaped.push_back(kHexDigits[byte & 0x0F]);
  }
  return escaped;
}

bool redirect_allowed(std::string_view from_url, std::string_view to_url) {
  if (starts_with_ignoring_case(to_url, kHttps)) return true;
  return starts_with_ignoring_case(to_url, kHttp) && !starts_with_ignoring_case(from_url, kHttps);
}
