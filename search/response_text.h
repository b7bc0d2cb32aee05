#pragma once

#include <string>
#include <string_view>

// How a downloaded page body becomes GBK text, by the response charset code:
//   -1  the body unchanged;
//    0  converted from UTF-8 when the page starts with a UTF-8 byte-order mark, when
//       the first meta tag of the page's head that declares a charset declares
//       UTF-8, when none does and `header_charset` (the answer's Content-Type
//       charset, lower-case) is UTF-8, and, whatever is declared, when the bytes
//       are well-formed UTF-8 with some beyond ASCII; otherwise kept as GBK;
//    1  not converted;
//    2  converted from UTF-8.
// Codes 0, 1 and 2 then drop a leading "?", which is what a UTF-8 byte-order mark
// turns into. Other codes leave the body unchanged.
std::string decode_response_text(std::string_view text, int response_charset,
                                 std::string_view header_charset = {});
