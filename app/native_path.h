#pragma once

#include <QString>
#include <filesystem>

// Paths between Qt and the file system's own bytes.

// Qt decodes file names as UTF-8, so a name in another encoding (the GBK names
// of files from Windows machines) reaches it with its bytes replaced, and the
// path Qt hands back names no file. Each such part of the path is found again as
// the one entry of its folder that Qt decodes to the same text; where no entry or
// several do, the path stays as Qt gave it and is reported missing later.
std::filesystem::path native_path(const QString& path);

QString qstring_from_path(const std::filesystem::path& path);
