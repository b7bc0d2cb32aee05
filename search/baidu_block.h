#pragma once

#include <string_view>

struct FetchedPage;

// True when Baidu answered with its block page instead of results: the old error
// page, today's security check page, or a redirect to its captcha.
bool is_baidu_block_page(const FetchedPage& page);

// True when an address is Baidu's captcha: on wappass.baidu.com or under /captcha/
// (today /static/captcha/).
bool is_baidu_block_address(std::string_view url);
