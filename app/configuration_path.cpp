#include "app/configuration_path.h"

#include <QCoreApplication>
#include <QFile>

std::filesystem::path configuration_path_beside_program() {
  const QByteArray native =
      QFile::encodeName(QCoreApplication::applicationDirPath() + QStringLiteral("/主配置.ini"));
  return std::filesystem::path(native.toStdString());
}
