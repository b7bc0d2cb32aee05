#include "app/native_path.h"

#include <gtest/gtest.h>

#include "support/gbk.h"
#include "tests/testsupport/file_bytes.h"
#include "tests/testsupport/temp_dir.h"

// A path as Qt's file dialogs hand it over: its bytes decoded as UTF-8.
TEST(NativePath, PathsQtDecodedAreFoundAgainOnlyWhereOneEntryFits) {
  TempDir dir;
  const std::filesystem::path gbk_folder = dir / gbk("旧文章");
  std::filesystem::create_directory(gbk_folder);
  // Both names decode to the same text: two bytes Qt cannot read, then ".txt".
  write_file_bytes(gbk_folder / gbk("啊.txt"), "a");
  write_file_bytes(gbk_folder / gbk("阿.txt"), "b");
  write_file_bytes(gbk_folder / gbk("原创.txt"), "c");
  std::filesystem::create_directory(dir / "新文章");
  write_file_bytes(dir / "新文章" / "文章.txt", "d");
  write_file_bytes(dir / "新文章" / gbk("原创.htm"), "e");

  const std::filesystem::path real_paths[] = {
      gbk_folder,
      gbk_folder / gbk("原创.txt"),
      dir / "新文章" / "文章.txt",
      dir / "新文章" / gbk("原创.htm"),
  };
  for (const std::filesystem::path& real : real_paths) {
    EXPECT_EQ(native_path(qstring_from_path(real)), real);
  }
  // Never a guess between two files shown alike: the path stays as Qt gave it.
  const QString shown_alike = qstring_from_path(gbk_folder / gbk("啊.txt"));
  EXPECT_EQ(native_path(shown_alike), std::filesystem::path(shown_alike.toStdString()));
}
