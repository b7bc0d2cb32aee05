#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "support/gbk.h"

// The core's GBK text to and from the widgets' Unicode.
inline QString qstring_from_gbk(std::string_view gbk_text) {
  const std::string utf8 = utf8_from_gbk(gbk_text);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline std::string gbk_from_qstring(const QString& text) {
  return gbk_from_utf8(text.toStdString());
}
