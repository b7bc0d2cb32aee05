#include "app/self_check.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/main_form.h"
#include "tests/app/main_window_fixture.h"
#include "tests/testsupport/file_bytes.h"

namespace {

using ::testing::HasSubstr;

class SelfCheckTest : public MainWindowTest {};

// An installation passes only when both hold: a browser that loads does not make
// up for settings that cannot be saved.
TEST_F(SelfCheckTest, PassesOnlyWhenTheBrowserLoadsAndTheSettingsAreSaved) {
  // A plain file where the settings' folder should be: no save can land, even as root.
  write_file_bytes(folder / "不是文件夹", "");
  const struct {
    std::filesystem::path configuration;
    int status;
  } cases[] = {
      {configuration_path(), 0},
      {folder / "不是文件夹" / "主配置.ini", 1},
  };
  for (const auto& installation : cases) {
    SCOPED_TRACE(installation.configuration);
    open_window(installation.configuration);
    form().show();
    testing::internal::CaptureStdout();
    const int status = run_self_check(window(), objects());
    const std::string said = testing::internal::GetCapturedStdout();
    EXPECT_EQ(status, installation.status) << said;
    EXPECT_THAT(said, HasSubstr(": loaded\n"));
    // A failed save says why instead of "yes".
    const std::string saved = "settings saved to " + installation.configuration.string() + ": yes\n";
    EXPECT_EQ(said.find(saved) != std::string::npos, installation.status == 0) << said;
  }
}

}  // namespace
