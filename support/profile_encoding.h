#pragma once

#include <string>
#include <string_view>

// The encoding of a profile file's bytes. The program writes GBK, as Windows
// does; a file written by hand in another editor may be UTF-8 (with or without
// a byte-order mark) or UTF-16 with its byte-order mark, and is read and updated
// in that encoding rather than taken for GBK, which would miss every key in it.
enum class ProfileEncoding { gbk, utf8, utf8_with_mark, utf16le, utf16be };

// UTF-16 or UTF-8 by a byte-order mark; UTF-8 when the bytes are well-formed
// UTF-8 beyond plain ASCII (GBK text hardly ever is); otherwise GBK.
ProfileEncoding profile_encoding_of(std::string_view bytes);

// The byte-order mark a file in `encoding` starts with; empty for GBK and UTF-8 without one.
std::string_view profile_mark(ProfileEncoding encoding);

// The file's text as GBK, without a byte-order mark; a character GBK lacks
// becomes "?".
std::string gbk_profile_text(std::string_view bytes, ProfileEncoding encoding);

// A piece of a file in `encoding` (no byte-order mark) as GBK, and back.
std::string gbk_from_profile_piece(std::string_view piece, ProfileEncoding encoding);
std::string profile_piece(std::string_view gbk_text, ProfileEncoding encoding);
