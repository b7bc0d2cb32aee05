#include "app/configuration_path.h"

#include <QCoreApplication>
#include <QFile>

SettingsLocation settings_location_of_this_program() {
  const QByteArray program_folder = QFile::encodeName(QCoreApplication::applicationDirPath());
  return locate_settings(std::filesystem::path(program_folder.toStdString()),
                         SettingsEnvironment::of_this_process());
}
