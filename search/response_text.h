#pragma once

#include <string>
#include <string_view>

// How a downloaded page body becomes GBK text, by the response charset code:
//   -1  the body unchanged;
//    0  converted from UTF-8 when a meta tag of the page's head declares UTF-8, or
//       when no meta tag declares a charset and `header_charset` (the answer's
//       Content-Type charset, lower-case) is UTF-8; any other charset is kept;
//    1  not converted;
//    2  converted from UTF-8.
// Codes 0, 1 and 2 then drop a leading "?", which is what a UTF-8 byte-order mark
// turns into. Other codes leave the body unchanged.
std::string decode_response_text(std::string_view text, int response_charset,
                                 std::string_view header_charset = {});
