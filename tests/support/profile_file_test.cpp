#include "support/profile_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <csignal>

#include "support/gbk.h"
#include "support/text_conversions.h"
#include "tests/testsupport/file_bytes.h"
#include "tests/testsupport/temp_dir.h"

namespace fs = std::filesystem;

namespace {

// No file may grow past `bytes` while this lives: writes fail the way they do
// on a full disk, whoever the test runs as.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    saved_handler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved_;
    limited.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, saved_handler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit saved_{};
  void (*saved_handler_)(int) = nullptr;
};

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
  if (geteuid() == 0) GTEST_SKIP() << "permission bits do not stop root";
  write_file_bytes(file, "[s]\r\nk=1\r\n");
  fs::permissions(file, fs::perms::owner_read);
  EXPECT_FALSE(write_profile_string(file, "s", "k", "2").written());
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
  fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_FALSE(write_profile_string(file, "s", "k", "2").written());
  fs::permissions(dir.path(), fs::perms::owner_all);
  EXPECT_EQ(read_file_bytes(file), "[s]\r\nk=1\r\n");
}

// A file written by hand in another editor: it is read, and updated in its own
// encoding, every other line kept.
TEST_F(ProfileFile, FilesInUtf8OrUtf16AreReadAndUpdatedInTheirOwnEncoding) {
  const std::string utf8_lines = "; 手写的配置\r\n[基本配置]\r\n句数=20\r\n检测内容=真\r\n";
  const std::string utf8_after = "; 手写的配置\r\n[基本配置]\r\n句数=30\r\n检测内容=真\r\n过滤=广告\r\n";
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
    EXPECT_TRUE(write_profile_string(file, section, gbk("句数"), "30").written());
    EXPECT_TRUE(write_profile_string(file, section, gbk("过滤"), gbk("广告")).written());
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
  EXPECT_TRUE(write_profile_string(file, "s", "k", "2").written());
  EXPECT_TRUE(fs::is_symlink(file));
  EXPECT_EQ(read_file_bytes(kept), "[s]\r\nk=2\r\n");
}
