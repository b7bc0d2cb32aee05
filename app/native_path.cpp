#include "app/native_path.h"

#include <QDir>
#include <QFile>
#include <optional>
#include <system_error>

namespace {

std::filesystem::path encoded_path(const QString& path) {
  return std::filesystem::path(QFile::encodeName(path).toStdString());
}

// The name of the one entry of `folder` that Qt shows as `shown_name`.
std::optional<std::filesystem::path> only_entry_shown_as(const std::filesystem::path& folder,
                                                         const QString& shown_name) {
  std::error_code error;
  std::optional<std::filesystem::path> found;
  for (const auto& entry : std::filesystem::directory_iterator(folder.empty() ? "." : folder, error)) {
    const std::filesystem::path name = entry.path().filename();
    if (qstring_from_path(name) != shown_name) continue;
    // Two names shown alike: picking either could hand over the wrong article.
    if (found) return std::nullopt;
    found = name;
  }
  return found;
}

}  // namespace

std::filesystem::path native_path(const QString& path) {
  const std::filesystem::path as_given = encoded_path(path);
  std::error_code error;
  if (path.isEmpty() || std::filesystem::exists(std::filesystem::symlink_status(as_given, error)))
    return as_given;

  std::filesystem::path found = as_given.root_path();
  for (const QString& part : QDir::fromNativeSeparators(path).split(u'/', Qt::SkipEmptyParts)) {
    const std::filesystem::path next = found / encoded_path(part);
    if (std::filesystem::exists(std::filesystem::symlink_status(next, error))) {
      found = next;
      continue;
    }
    const std::optional<std::filesystem::path> name = only_entry_shown_as(found, part);
    if (!name) return as_given;
    found /= *name;
  }
  return found;
}

QString qstring_from_path(const std::filesystem::path& path) {
  return QFile::decodeName(QByteArray::fromStdString(path.native()));
}
