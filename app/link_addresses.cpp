#include "app/link_addresses.h"

#include <QCoreApplication>
#include <QUrl>

namespace {

// A file URL in its fully encoded form, so that it survives the GBK text of the
// window interface whatever the folder names are.
QString file_address(const QString& path) {
  return QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
}

QString project_path(const QString& relative) {
  return QStringLiteral(PROJECT_DIRECTORY "/") + relative;
}

}  // namespace

namespace link_addresses {

QString readme() {
  return file_address(project_path(QStringLiteral("README.md")));
}

QString project_folder() {
  return file_address(QStringLiteral(PROJECT_DIRECTORY));
}

QString program_folder() {
  return file_address(QCoreApplication::applicationDirPath());
}

}  // namespace link_addresses
