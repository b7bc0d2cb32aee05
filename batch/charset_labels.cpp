#include "batch/charset_labels.h"

#include <algorithm>
#include <array>

namespace {

struct Label {
  std::string_view label;
  CharsetReading::Kind kind;
  std::string_view iconv_name = {};
};

using enum CharsetReading::Kind;

constexpr std::array kLabels = std::to_array<Label>({
    {"gbk", gbk},
    {"gb2312", gbk},
    {"gb_2312", gbk},
    {"gb_2312-80", gbk},
    {"x-gbk", gbk},
    {"cp936", gbk},
    {"ms936", gbk},
    {"windows-936", gbk},
    {"chinese", gbk},
    {"csgb2312", gbk},
    {"iso-ir-58", gbk},
    {"csiso58gb231280", gbk},
    {"utf-8", utf8},
    {"utf8", utf8},
    {"unicode-1-1-utf-8", utf8},
    {"big5", iconv, "BIG5-HKSCS"},
    {"cn-big5", iconv, "BIG5-HKSCS"},
    {"csbig5", iconv, "BIG5-HKSCS"},
    {"x-x-big5", iconv, "BIG5-HKSCS"},
    {"shift_jis", iconv, "CP932"},
    {"shift-jis", iconv, "CP932"},
    {"sjis", iconv, "CP932"},
    {"x-sjis", iconv, "CP932"},
    {"ms_kanji", iconv, "CP932"},
    {"csshiftjis", iconv, "CP932"},
    {"euc-kr", iconv, "CP949"},
    {"ks_c_5601-1987", iconv, "CP949"},
    {"cseuckr", iconv, "CP949"},
    {"iso-8859-1", iconv, "CP1252"},
    {"latin1", iconv, "CP1252"},
    {"us-ascii", iconv, "CP1252"},
    {"ascii", iconv, "CP1252"},
});

}  // namespace

CharsetReading reading_for_charset(std::string_view label) {
  const auto known = std::ranges::find(kLabels, label, &Label::label);
  if (known == kLabels.end()) return {iconv, std::string(label)};
  return {known->kind, std::string(known->iconv_name)};
}
