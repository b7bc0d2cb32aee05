#pragma once

#include <string>
#include <string_view>

// Every Traditional Chinese character of the GBK text that GB2312 lacks replaced by
// its Simplified form, one character for one; every other byte is kept, so the
// length stays.
std::string to_simplified_chinese(std::string_view gbk_text);

// The form in which a sentence (GBK) is looked for in the engine's result list and
// kept in the answer cache: Simplified Chinese, its full-width letters, digits and
// signs made half-width.
std::string searched_form(std::string_view gbk_sentence);
