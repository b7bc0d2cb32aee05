#pragma once

#include <string>
#include <string_view>

// How the HTTP request object turns URL text into the address it requests, and
// which redirects it follows.

// The URL with "http://" put in front when it names neither http nor https
// (scheme in any case).
std::string with_http_scheme(std::string_view url);

// The GBK URL text as UTF-8, with every byte that may not stand in a URL (blanks,
// controls, non-ASCII and the characters "<>\^`{|} percent-escaped in upper-case hex.
// Query texts appended unescaped (the Google query) become valid addresses this way.
std::string escape_for_request(std::string_view gbk_url);

// A redirect goes only to http or https, and never from https back to http.
bool redirect_allowed(std::string_view from_url, std::string_view to_url);
