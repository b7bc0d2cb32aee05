#include "app/configuration_path.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>

TEST(ConfigurationPath, IsTheProfileInTheProgramsFolder) {
  const std::filesystem::path path = configuration_path_beside_program();
  EXPECT_EQ(path.filename(), std::filesystem::path("主配置.ini"));
  EXPECT_EQ(path.parent_path(),
            std::filesystem::path(QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString()));
}
