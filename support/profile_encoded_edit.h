#pragma once

#include <string>
#include <string_view>

#include "support/profile_encoding.h"

// `bytes`, a profile file in `encoding`, with `key` in `section` set to `value`
// (GBK, a writable entry) as with_profile_value sets it in GBK text. Only the
// edited line, or the lines added, are written anew, in `encoding`; every other
// line keeps its bytes, characters GBK lacks included.
std::string with_encoded_profile_value(std::string_view bytes, ProfileEncoding encoding,
                                       std::string_view section, std::string_view key, std::string_view value);
