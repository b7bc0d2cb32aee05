#include "batch/batch_paths.h"

#include <gtest/gtest.h>

#include "batch/duration_text.h"
#include "support/gbk.h"

namespace {

TEST(BatchPaths, FolderAndNameSplitAtTheLastSlash) {
  EXPECT_EQ(directory_of("/home/编辑/文章.txt"), "/home/编辑");
  EXPECT_EQ(file_name_of("/home/编辑/文章.txt"), "文章.txt");
  // A file in the root: the folder is empty, and folder + "/" is the root again.
  EXPECT_EQ(directory_of("/a.txt"), "");
  EXPECT_EQ(file_name_of("/a.txt"), "a.txt");
  EXPECT_EQ(directory_of("a.txt"), "");
  EXPECT_EQ(file_name_of("a.txt"), "a.txt");
  EXPECT_EQ(file_name_of("/folder/"), "");
}

TEST(BatchPaths, TitleIsTheNameUpToItsLastDotInGbk) {
  EXPECT_EQ(utf8_from_gbk(title_of("/x/2024.新闻.稿.txt")), "2024.新闻.稿");
  EXPECT_EQ(utf8_from_gbk(title_of("/x/没有扩展名")), "没有扩展名");
  EXPECT_EQ(title_of("/x/.txt"), "");
  // Dots in folder names do not count.
  EXPECT_EQ(title_of("/x.y/readme"), "readme");
  EXPECT_EQ(title_of("/x/标题.txt"), gbk("标题"));
  // What GBK lacks becomes "?"; a name that is not UTF-8 is GBK already.
  EXPECT_EQ(title_of("/x/emoji\xF0\x9F\x98\x80.txt"), "emoji?");
  EXPECT_EQ(title_of("/x/" + gbk("国标") + ".txt"), gbk("国标"));
  // The path shown converts each part by its own encoding.
  EXPECT_EQ(gbk_from_native("/文章/" + gbk("国标") + ".txt"), gbk("/文章/国标.txt"));
}

TEST(BatchPaths, SameNamedCopiesAreNumberedBeforeTheExtension) {
  EXPECT_EQ(numbered_file_name("x.txt", 1), "x.txt");
  EXPECT_EQ(numbered_file_name("x.txt", 2), "x(2).txt");
  EXPECT_EQ(numbered_file_name("2024.新闻.txt", 10), "2024.新闻(10).txt");
  EXPECT_EQ(numbered_file_name("没有扩展名", 3), "没有扩展名(3)");
  EXPECT_EQ(numbered_file_name(".txt", 2), ".txt(2)");
  // Within the 255 bytes of a name, whole characters of the stem give way to the number.
  const std::string utf8_stem(250, 'a');
  EXPECT_EQ(numbered_file_name(utf8_stem + ".txt", 2), utf8_stem.substr(0, 248) + "(2).txt");
  std::string chinese_stem;
  for (int i = 0; i < 83; ++i) chinese_stem += "长";
  EXPECT_EQ(numbered_file_name(chinese_stem + ".txt", 10), chinese_stem.substr(0, 82 * 3) + "(10).txt");
  std::string gbk_stem = "a";  // so that a cut at an even byte would split a character
  for (int i = 0; i < 125; ++i) gbk_stem += gbk("长");
  EXPECT_EQ(numbered_file_name(gbk_stem + ".txt", 2), gbk_stem.substr(0, 1 + 2 * 123) + "(2).txt");
}

TEST(FormatDuration, EachUnitFromItsLimitOnRoundedAfterTheChoice) {
  const struct {
    int64_t milliseconds;
    const char* text;
  } cases[] = {
      {0, "0 毫秒"},           {999, "999 毫秒"},    {1000, "1 秒"},        {1500, "1.5 秒"},
      {59999, "60 秒"},        {60000, "1 分"},      {90000, "1.5 分"},     {3600000, "1 时"},
      {86400000, "1 天"},      {2592000000, "1 月"}, {31104000000, "1 年"}, {62208000000, "2 年"},
      {4294967295, "1.66 月"}, {1234, "1.23 秒"},    {3599999, "60 分"},
  };
  for (const auto& example : cases) {
    EXPECT_EQ(utf8_from_gbk(format_duration(example.milliseconds)), example.text) << example.milliseconds;
  }
}

}  // namespace
