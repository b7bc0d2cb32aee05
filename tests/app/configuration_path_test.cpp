#include "app/configuration_path.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>

// The test program's folder (the build tree) can be written, as a portable copy's can.
TEST(ConfigurationPath, IsBesideTheProgramWhoseFolderCanBeWritten) {
  const SettingsLocation location = settings_location_of_this_program();
  EXPECT_EQ(location.settings_file.filename(), std::filesystem::path("主配置.ini"));
  EXPECT_EQ(location.folder(),
            std::filesystem::path(QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString()));
  EXPECT_FALSE(location.defaults_file.has_value());
}
