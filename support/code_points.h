#pragma once

#include <string>
#include <string_view>

// Unicode code points to and from the byte forms that article files and pages
// use. Ill-formed input is never refused: each bad piece becomes U+FFFD.

inline constexpr char32_t kReplacementCharacter = U'\uFFFD';

// Each maximal ill-formed piece (the longest start of a sequence that could
// still have become well-formed, at least one byte) becomes one U+FFFD, which
// is how gbk_from_utf8 counts them too.
std::u32string code_points_from_utf8(std::string_view utf8);

// An odd last byte is ignored; an unpaired surrogate becomes U+FFFD.
std::u32string code_points_from_utf16le(std::string_view bytes);

// True when `bytes` are whole UTF-16 little-endian units (an even count) with
// every surrogate in its pair.
bool is_well_formed_utf16le(std::string_view bytes);

std::string utf16le_from_code_points(std::u32string_view code_points);

// UTF-8 of the code points, where a base character followed by combining marks
// is folded into its precomposed form when Unicode has one. Only such clusters
// are composed: normalising the whole text would also map compatibility
// ideographs that GBK holds onto other characters.
std::string utf8_composing_marks(std::u32string_view code_points);
