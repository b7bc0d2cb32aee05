#include "search/baidu_block.h"

#include <string_view>

#include "search/fetched_page.h"
#include "support/gbk.h"
#include "support/text_markers.h"
#include "support/text_search.h"

namespace {

constexpr std::string_view kOldBlockTitle = "<title>百度--您的访问出错了</title>";
constexpr std::string_view kSecurityCheck = "百度安全验证";

// The host of an absolute address, lower-cased.
std::string host_of(std::string_view url) {
  if (const size_t scheme = url.find("://"); scheme != std::string_view::npos) url.remove_prefix(scheme + 3);
  std::string host(url.substr(0, url.find_first_of(":/?#")));
  for (char& c : host) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return host;
}

bool titled_security_check(std::string_view page) {
  const std::string title = text_between(page, "<title>", "</title>");
  // A page that does not declare UTF-8 in a meta tag stays undecoded.
  return find_exact(title, gbk(kSecurityCheck)) != std::string_view::npos ||
         title.find(kSecurityCheck) != std::string::npos;
}

}  // namespace

bool is_baidu_block_page(const FetchedPage& page) {
  // Every result page is tested: a plain byte search rules out most pages before the
  // character-aware one confirms a hit.
  const std::string old_title = gbk(kOldBlockTitle);
  if (page.text.find(old_title) != std::string::npos &&
      find_exact(page.text, old_title) != std::string_view::npos) {
    return true;
  }
  return titled_security_check(page.text) || is_baidu_block_address(page.final_url);
}

bool is_baidu_block_address(std::string_view url) {
  return host_of(url) == "wappass.baidu.com" || url.find("/captcha/") != std::string_view::npos;
}
