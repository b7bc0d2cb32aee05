#include "support/profile_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/gbk.h"
#include "support/text_conversions.h"
#include "tests/testsupport/file_bytes.h"
#include "tests/testsupport/file_system_probes.h"
#include "tests/testsupport/temp_dir.h"

namespace fs = std::filesystem;

namespace {

std::vector<fs::path> files_in(const fs::path& directory) {
  std::vector<fs::path> names;
  for (const auto& entry : fs::directory_iterator(directory)) names.push_back(entry.path().filename());
  return names;
}

class ProfileFile : public testing::Test {
 protected:
  TempDir dir;
  const fs::path file = dir / "主配置.ini";  // UTF-8 bytes in the path, as on the real system
  const std::string section = gbk("基本配置");
};

}  // namespace

TEST_F(ProfileFile, WindowsWrittenFileIsReadAndUpdatedWithoutLosingOtherLines) {
  write_file_bytes(file, gbk("; 原创检测的设置\r\n"
                             "[基本配置]\r\n"
                             "检测标题=真\r\n"
                             "  句数 = 20 \r\n"
                             "IP=\"127.0.0.1:8080\"\r\n"
                             "\r\n"
                             "[Proxy]\r\n"
                             "Host=example.org\r\n"));

  EXPECT_EQ(read_profile_string(file, section, gbk("句数"), "10"), "20");
  EXPECT_EQ(read_profile_string(file, section, "ip", ""), "127.0.0.1:8080");
  EXPECT_EQ(read_profile_string(file, "PROXY", "hOST", ""), "example.org");
  EXPECT_EQ(read_profile_string(file, section, gbk("引擎"), "3"), "3");

  EXPECT_TRUE(write_profile_string(file, section, gbk("句数"), "30").written());
  EXPECT_TRUE(write_profile_string(file, section, gbk("引擎"), "2").written());
  EXPECT_TRUE(write_profile_string(file, "proxy", "HOST", "127.0.0.1").written());
  EXPECT_TRUE(write_profile_string(file, gbk("新节"), "k", "v").written());
  EXPECT_EQ(read_file_bytes(file), gbk("; 原创检测的设置\r\n"
                                       "[基本配置]\r\n"
                                       "检测标题=真\r\n"
                                       "  句数=30\r\n"
                                       "IP=\"127.0.0.1:8080\"\r\n"
                                       "引擎=2\r\n"
                                       "\r\n"
                                       "[Proxy]\r\n"
                                       "Host=127.0.0.1\r\n"
                                       "[新节]\r\n"
                                       "k=v\r\n"));
}

TEST_F(ProfileFile, FirstWriteCreatesTheFile) {
  EXPECT_TRUE(write_profile_string(file, section, gbk("检测标题"), gbk("真")).written());
  EXPECT_EQ(read_file_bytes(file), gbk("[基本配置]\r\n检测标题=真\r\n"));
  EXPECT_EQ(files_in(dir.path()), std::vector<fs::path>{"主配置.ini"});
}

TEST_F(ProfileFile, MissingFileSectionOrKeyGiveTheDefault) {
  EXPECT_EQ(read_profile_string(file, section, "k", "dflt"), "dflt");
  write_file_bytes(file, "[other]\r\nk=1\r\n[s]\r\nk2=2\r\n");
  EXPECT_EQ(read_profile_string(file, section, "k", "dflt"), "dflt");
  EXPECT_EQ(read_profile_string(file, "s", "k", "dflt"), "dflt");
  EXPECT_EQ(read_profile_string(file, "s", "k2", "dflt"), "2");
}

TEST_F(ProfileFile, PresentEmptyValueIsNotTheDefault) {
  write_file_bytes(file, "[s]\r\nk=\r\n");
  EXPECT_EQ(read_profile_string(file, "s", "k", "dflt"), "");
}

TEST_F(ProfileFile, EmptyNamesAfterLeadingControlCharactersGiveEmptyText) {
  write_file_bytes(file, "[s]\r\nk=1\r\n");
  EXPECT_EQ(read_profile_string(file, " \x01s", "\tk", "dflt"), "1");
  EXPECT_EQ(read_profile_string(file, " \x1F", "k", "dflt"), "");
  EXPECT_EQ(read_profile_string(file, "s", "\r\n ", "dflt"), "");
  EXPECT_EQ(read_profile_string("", "s", "k", "dflt"), "");
  EXPECT_EQ(read_profile_string("  ", "s", "k", "dflt"), "");
}

TEST_F(ProfileFile, LongValuesAreCutAtTheBufferLimitWithoutHalfCharacters) {
  const std::string wide = gbk("中");
  const std::string long_ascii(kProfileValueLimit, 'a');
  const std::string char_across_limit = std::string(kProfileValueLimit - 1, 'a') + wide + "b";
  const std::string char_at_limit = std::string(kProfileValueLimit - 2, 'a') + wide + "b";
  write_file_bytes(file, "[s]\r\nascii=" + long_ascii + "xyz\r\nacross=" + char_across_limit +
                             "\r\nat=" + char_at_limit + "\r\nexact=" + long_ascii + "\r\n");

  EXPECT_EQ(read_profile_string(file, "s", "ascii", ""), long_ascii);
  EXPECT_EQ(read_profile_string(file, "s", "across", ""), std::string(kProfileValueLimit - 1, 'a'));
  EXPECT_EQ(read_profile_string(file, "s", "at", ""), std::string(kProfileValueLimit - 2, 'a') + wide);
  EXPECT_EQ(read_profile_string(file, "s", "exact", ""), long_ascii);
}

TEST_F(ProfileFile, UnwritableEntriesAreRefusedAndTheFileIsLeftAlone) {
  write_file_bytes(file, "[s]\r\nk=1\r\n");
  EXPECT_EQ(write_profile_string(file, "s", "k", "two\nlines").error, std::errc::invalid_argument);
  EXPECT_FALSE(write_profile_string(file, "s", " ", "v").written());
  EXPECT_FALSE(write_profile_string("", "s", "k", "v").written());
  // One bad entry among good ones: none is written, not some.
  const ProfileEntry entries[] = {{"s", "k", "2"}, {"s", "j", "two\rlines"}};
  EXPECT_EQ(write_profile_strings(file, entries).error, std::errc::invalid_argument);
  EXPECT_EQ(read_file_bytes(file), "[s]\r\nk=1\r\n");
}

TEST_F(ProfileFile, FailedSaveKeepsTheOldFileAndRemovesTheTemporary) {
  const std::string old_bytes = gbk("[基本配置]\r\n内容=旧的\r\n");
  write_file_bytes(file, old_bytes);
  {
    const FileSizeLimit disk_nearly_full(4096);
    EXPECT_FALSE(write_profile_string(file, section, gbk("内容"), std::string(8192, 'x')).written());
  }
  EXPECT_EQ(read_file_bytes(file), old_bytes);
  EXPECT_EQ(files_in(dir.path()), std::vector<fs::path>{"主配置.ini"});
}

TEST_F(ProfileFile, SaveIntoAPathWhoseDirectoryIsAFileFails) {
  write_file_bytes(dir / "not-a-directory", "x");
  const fs::path impossible = dir / "not-a-directory" / "主配置.ini";
  EXPECT_EQ(write_profile_string(impossible, "s", "k", "v").error, std::errc::not_a_directory);
  EXPECT_EQ(read_profile_string(impossible, "s", "k", "dflt"), "dflt");
  EXPECT_EQ(read_file_bytes(dir / "not-a-directory"), "x");
}

TEST_F(ProfileFile, SettingsThatCannotBeReadAreNotReplaced) {
  fs::create_directory(file);
  write_file_bytes(file / "inside", "x");
  EXPECT_EQ(read_profile_string(file, "s", "k", "dflt"), "dflt");
  EXPECT_EQ(write_profile_string(file, "s", "k", "v").error, std::errc::is_a_directory);
  EXPECT_TRUE(fs::is_directory(file));
  EXPECT_EQ(files_in(dir.path()), std::vector<fs::path>{"主配置.ini"});
}

TEST_F(ProfileFile, SaveKeepsTheFilePermissions) {
  write_file_bytes(file, "[s]\r\nk=1\r\n");
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_TRUE(write_profile_string(file, "s", "k", "2").written());
  EXPECT_EQ(fs::status(file).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(ProfileFile, ReadOnlyFileOrDirectoryIsNotWritten) {
  write_file_bytes(file, "[s]\r\nk=1\r\n");
  // Permission bits do not stop root: root saves as a plain user who owns the files.
  const bool root = geteuid() == 0;
  constexpr uid_t kPlainUser = 65534;
  if (root) {
    ASSERT_EQ(chown(dir.path().c_str(), kPlainUser, static_cast<gid_t>(-1)), 0);
    ASSERT_EQ(chown(file.c_str(), kPlainUser, static_cast<gid_t>(-1)), 0);
  }
  const auto as_plain_user = [&](const auto& act) {
    EXPECT_TRUE(!root || seteuid(kPlainUser) == 0);
    const bool result = act();
    EXPECT_TRUE(!root || seteuid(0) == 0);
    return result;
  };
  // A temporary folder inside a private one cannot be reached by a plain user.
  if (!as_plain_user([&] { return faccessat(AT_FDCWD, dir.path().c_str(), X_OK, AT_EACCESS) == 0; }))
    GTEST_SKIP() << "a plain user cannot reach " << dir.path();
  const auto saved_as_plain_user = [&] {
    return as_plain_user([&] { return write_profile_string(file, "s", "k", "2").written(); });
  };
  fs::permissions(file, fs::perms::owner_read);
  EXPECT_FALSE(saved_as_plain_user());
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
  fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_FALSE(saved_as_plain_user());
  fs::permissions(dir.path(), fs::perms::owner_all);
  EXPECT_EQ(read_file_bytes(file), "[s]\r\nk=1\r\n");
  // The same user may save once the file and folder allow it.
  EXPECT_TRUE(saved_as_plain_user());
}

// A file written by hand in another editor: it is read, and updated in its own
// encoding in one replacement, every other line kept byte for byte, characters
// GBK lacks included.
TEST_F(ProfileFile, FilesInUtf8OrUtf16AreReadAndUpdatedInTheirOwnEncoding) {
  const std::string utf8_lines =
      "; 备注 😀 한국어 ✓ café\r\n[基本配置]\r\n句数=20\r\n标记=✓ 😀\r\n检测内容=真\r\n\r\n"
      "[我的分组]\r\n说明=保留 😀\r\n";
  const std::string utf8_after =
      "; 备注 😀 한국어 ✓ café\r\n[基本配置]\r\n句数=30\r\n标记=✓ 😀\r\n检测内容=真\r\n过滤=广告\r\n\r\n"
      "[我的分组]\r\n说明=保留 😀\r\n";
  const auto utf16le = [](std::string_view utf8) { return "\xFF\xFE" + utf8_to_utf16le(utf8); };
  const auto utf16be = [&](std::string_view utf8) {
    std::string bytes = utf16le(utf8);
    for (size_t at = 0; at + 1 < bytes.size(); at += 2) std::swap(bytes[at], bytes[at + 1]);
    return bytes;
  };
  const struct {
    const char* encoding;
    std::string before;
    std::string after;
  } cases[] = {
      {"UTF-8", utf8_lines, utf8_after},
      {"UTF-8 with byte-order mark", "\xEF\xBB\xBF" + utf8_lines, "\xEF\xBB\xBF" + utf8_after},
      {"UTF-16 little-endian", utf16le(utf8_lines), utf16le(utf8_after)},
      {"UTF-16 big-endian", utf16be(utf8_lines), utf16be(utf8_after)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.encoding);
    write_file_bytes(file, c.before);
    EXPECT_EQ(read_profile_string(file, section, gbk("句数"), "10"), "20");
    EXPECT_EQ(read_profile_string(file, section, gbk("检测内容"), ""), gbk("真"));
    const ProfileEntry entries[] = {{section, gbk("句数"), "30"}, {section, gbk("过滤"), gbk("广告")}};
    RenamesOnto replacements(dir.path(), file.filename());
    EXPECT_TRUE(write_profile_strings(file, entries).written());
    EXPECT_EQ(replacements.count(), 1);
    EXPECT_EQ(read_file_bytes(file), c.after);
  }
}

// A settings file kept elsewhere and linked in (with the user's other dotfiles,
// say) is updated where it lies; the link stays a link.
TEST_F(ProfileFile, ASaveThroughALinkUpdatesTheLinkedFile) {
  const fs::path kept = dir / "dotfiles" / "settings.ini";
  fs::create_directory(dir / "dotfiles");
  write_file_bytes(kept, "[s]\r\nk=1\r\n");
  fs::create_symlink(fs::path("dotfiles") / "settings.ini", file);
  const ProfileEntry entries[] = {{"s", "k", "2"}, {"s", "j", "3"}};
  RenamesOnto replacements(dir / "dotfiles", "settings.ini");
  EXPECT_TRUE(write_profile_strings(file, entries).written());
  EXPECT_EQ(replacements.count(), 1);
  EXPECT_TRUE(fs::is_symlink(file));
  EXPECT_EQ(read_file_bytes(kept), "[s]\r\nk=2\r\nj=3\r\n");
}
