#include "support/settings_location.h"

#include <gtest/gtest.h>

#include "tests/testsupport/file_bytes.h"
#include "tests/testsupport/temp_dir.h"

namespace fs = std::filesystem;

namespace {

constexpr fs::perms kReadOnlyFolder = fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                      fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec;

// Gives a folder the permissions of a read-only one until the end of the scope,
// so that its temporary parent can be removed afterwards.
class ReadOnlyWhileInScope {
 public:
  explicit ReadOnlyWhileInScope(fs::path folder) : folder_(std::move(folder)) {
    fs::permissions(folder_, kReadOnlyFolder);
  }
  ~ReadOnlyWhileInScope() { fs::permissions(folder_, fs::perms::owner_all); }
  ReadOnlyWhileInScope(const ReadOnlyWhileInScope&) = delete;
  ReadOnlyWhileInScope& operator=(const ReadOnlyWhileInScope&) = delete;

 private:
  fs::path folder_;
};

struct LocationCase {
  const char* name;
  bool program_folder_writable;
  bool file_beside_program;
  bool user_file_exists;
  const char* xdg_config_home;  // relative to the case's folder; "" unset; "~" a relative path
  // Expected, relative to the case's folder.
  const char* settings_file;
  const char* defaults_file;  // "" for none
};

TEST(SettingsLocation, FollowsWhetherTheProgramsFolderCanBeWritten) {
  const LocationCase cases[] = {
      {"writable: beside the program", true, false, false, "configuration", "程序/主配置.ini", ""},
      {"writable with a file beside: that file", true, true, false, "configuration", "程序/主配置.ini", ""},
      {"read-only: the user's folder", false, false, false, "configuration",
       "configuration/原创文章检测器/主配置.ini", ""},
      {"read-only without XDG_CONFIG_HOME: ~/.config", false, false, false, "",
       "home/.config/原创文章检测器/主配置.ini", ""},
      {"read-only, relative XDG_CONFIG_HOME ignored", false, false, false, "~",
       "home/.config/原创文章检测器/主配置.ini", ""},
      {"read-only with a file beside: read as the defaults", false, true, false, "configuration",
       "configuration/原创文章检测器/主配置.ini", "程序/主配置.ini"},
      {"read-only, the user's own file exists: the defaults are not read again", false, true, true,
       "configuration", "configuration/原创文章检测器/主配置.ini", ""},
  };
  for (const LocationCase& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    const fs::path program = dir / "程序";
    fs::create_directories(program);
    if (c.file_beside_program) write_file_bytes(program / "主配置.ini", "[基本配置]\r\n");
    if (c.user_file_exists) {
      fs::create_directories(dir / "configuration/原创文章检测器");
      write_file_bytes(dir / "configuration/原创文章检测器/主配置.ini", "[基本配置]\r\n");
    }
    const std::string xdg = c.xdg_config_home;
    const SettingsEnvironment environment{xdg.empty()  ? ""
                                          : xdg == "~" ? "configuration"
                                                       : (dir / xdg).string(),
                                          (dir / "home").string()};

    std::optional<ReadOnlyWhileInScope> read_only;
    if (!c.program_folder_writable) read_only.emplace(program);
    const SettingsLocation location = locate_settings(program, environment);

    EXPECT_EQ(location.settings_file, dir / c.settings_file);
    EXPECT_EQ(location.defaults_file.value_or(fs::path()),
              *c.defaults_file ? dir / c.defaults_file : fs::path());
    EXPECT_EQ(location.file_to_load(), location.defaults_file.value_or(location.settings_file));
  }
}

// /usr is the package system's and read-only by the file system's hierarchy: an
// installed program keeps its settings in the user's folder even for root, who
// could write there, so nothing is left behind when the package goes.
TEST(SettingsLocation, AProgramBelowUsrNeverWritesBesideItself) {
  TempDir dir;
  const SettingsEnvironment environment{(dir / "configuration").string(), (dir / "home").string()};
  for (const char* folder : {"/usr/bin", "/usr/local/bin/"}) {
    EXPECT_EQ(locate_settings(folder, environment).settings_file,
              dir / "configuration/原创文章检测器/主配置.ini")
        << folder;
  }
}

TEST(SettingsLocation, WritableFolderAlsoForRoot) {
  TempDir dir;
  fs::create_directories(dir / "open");
  fs::create_directories(dir / "closed");
  fs::create_directories(dir / "shut");
  write_file_bytes(dir / "file", "x");
  const ReadOnlyWhileInScope closed(dir / "closed");
  fs::permissions(dir / "shut", fs::perms::none);

  EXPECT_TRUE(is_writable_folder(dir / "open"));
  EXPECT_FALSE(is_writable_folder(dir / "closed"));
  EXPECT_FALSE(is_writable_folder(dir / "shut"));
  EXPECT_FALSE(is_writable_folder(dir / "file"));
  EXPECT_FALSE(is_writable_folder(dir / "missing"));
  fs::permissions(dir / "shut", fs::perms::owner_all);
}

}  // namespace
