#include "app/link_addresses.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "app/configuration_path.h"
#include "app/native_path.h"

namespace {

// A file URL in its fully encoded form, so that it survives the GBK text of the
// window interface whatever the folder names are.
QString file_address(const QString& path) {
  return QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
}

// The project's documents: in the package's documentation folder when the
// program is installed, else beside the sources.
QString documents_folder() {
  const QString installed = QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                            QStringLiteral("/" INSTALLED_DOCUMENTS_FOLDER));
  if (QFileInfo::exists(installed + QStringLiteral("/README.md"))) return installed;
  return QStringLiteral(PROJECT_DIRECTORY);
}

QString document_path(const QString& relative) {
  return documents_folder() + QLatin1Char('/') + relative;
}

}  // namespace

namespace link_addresses {

QString readme() {
  return file_address(document_path(QStringLiteral("README.md")));
}

QString project_folder() {
  return file_address(documents_folder());
}

QString settings_folder() {
  return file_address(qstring_from_path(settings_location_of_this_program().folder()));
}

}  // namespace link_addresses
