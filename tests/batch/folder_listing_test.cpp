#include "batch/folder_listing.h"

#include <gtest/gtest.h>

#include "support/gbk.h"
#include "tests/testsupport/fake_window.h"
#include "tests/testsupport/file_bytes.h"
#include "tests/testsupport/temp_dir.h"

namespace {

namespace fs = std::filesystem;

class FolderListingTest : public ::testing::Test {
 protected:
  FolderListingTest() {
    for (const char* name : {"a.txt", "B.TXT", ".hidden.txt", "note.md", "noext", "原.txt", "原创.txt",
                             "[1].txt", "1.txt", "x.txt;y.md"}) {
      write_file_bytes(folder / name, "x");
    }
    fs::create_directories(folder / "sub");
    write_file_bytes(folder / "sub" / "c.txt", "x");
    fs::create_directories(folder / "另存文件夹[原创文章]");
    write_file_bytes(folder / "另存文件夹[原创文章]" / "a.txt", "x");
    fs::create_directories(folder / "folder.txt");  // a folder that matches the pattern
  }

  // The listed names (UTF-8) for a pattern given in UTF-8.
  std::vector<std::string> names(std::string_view pattern) {
    std::vector<std::string> found;
    for (const fs::path& path : list_folder_files(window, folder.path(), gbk(pattern))) {
      EXPECT_EQ(path.parent_path(), folder.path());
      found.push_back(path.filename().string());
    }
    return found;
  }

  TempDir folder;
  FakeWindow window;
};

TEST_F(FolderListingTest, FilesDirectlyInTheFolderMatchingInAnyCase) {
  EXPECT_EQ(names("*.txt"), (std::vector<std::string>{".hidden.txt", "1.txt", "B.TXT", "[1].txt", "a.txt",
                                                      "原.txt", "原创.txt"}));
  EXPECT_EQ(names("A.*"), (std::vector<std::string>{"a.txt"}));
}

TEST_F(FolderListingTest, OnlyStarAndQuestionMarkAreWildcards) {
  // "?" is one character, a Chinese one too.
  EXPECT_EQ(names("?.txt"), (std::vector<std::string>{"1.txt", "B.TXT", "a.txt", "原.txt"}));
  EXPECT_EQ(names("[1].txt"), (std::vector<std::string>{"[1].txt"}));
  EXPECT_EQ(names("原创*"), (std::vector<std::string>{"原创.txt"}));
}

TEST_F(FolderListingTest, EmptyPatternTakesEveryFileAsStarDotStarDoes) {
  const std::vector<std::string> every_file{".hidden.txt", "1.txt",   "B.TXT",      "[1].txt", "a.txt",
                                            "noext",       "note.md", "x.txt;y.md", "原.txt",  "原创.txt"};
  EXPECT_EQ(names(""), every_file);
  EXPECT_EQ(names("*.*"), every_file);
}

TEST_F(FolderListingTest, ASemicolonPatternIsOnePattern) {
  EXPECT_EQ(names("*.txt;*.md"), (std::vector<std::string>{"x.txt;y.md"}));
  EXPECT_TRUE(names("*.htm;*.html").empty());
}

TEST_F(FolderListingTest, AFolderEndingInASlashGivesNoDoubledSlash) {
  const fs::path with_slash = folder.path().native() + "/";
  const std::vector<fs::path> files = list_folder_files(window, with_slash, "a.txt");
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(files[0].native(), folder.path().native() + "/a.txt");
}

TEST_F(FolderListingTest, EventsRunAfterEveryEntry) {
  names("*.txt");
  EXPECT_EQ(window.event_rounds, 13);  // ten files and three folders
}

TEST(FolderListing, AMissingFolderGivesNothing) {
  const TempDir folder;
  FakeWindow window;
  EXPECT_TRUE(list_folder_files(window, folder / "missing", "*.*").empty());
  write_file_bytes(folder / "plain", "x");
  EXPECT_TRUE(list_folder_files(window, folder / "plain", "*.*").empty());
}

}  // namespace
