#pragma once

#include <string>
#include <string_view>

// GBK text of a page with its character references read as a browser shows them:
// numeric ones ("&#20013;", "&#x4E2D;") and the named ones result lists use
// ("&amp;", "&nbsp;", "&ldquo;" ...). One pass from left to right, so "&amp;lt;"
// stays the text "&lt;". A reference to a character GBK lacks, an unknown name or
// a reference without its ";" stays as written.
std::string decode_html_entities(std::string_view text);
