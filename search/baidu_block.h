#pragma once

struct FetchedPage;

// True when Baidu answered with its block page instead of results: the old error
// page, today's security check page, or a redirect to its captcha.
bool is_baidu_block_page(const FetchedPage& page);
