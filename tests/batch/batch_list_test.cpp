#include "batch/batch_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "check/report_folder.h"
#include "tests/batch/batch_fixture.h"

namespace {

struct CellCase {
  std::string_view text;
  std::string_view cell;
};

// A spreadsheet must show a cell, never run it; separators and quotes stay inside.
TEST(BatchListCell, FormulasAreDisarmedAndSeparatorsQuoted) {
  const CellCase cases[] = {
      {"=HYPERLINK(\"http://x\",\"y\")", "\"'=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\""},
      {"+1", "'+1"},
      {"-2+3", "'-2+3"},
      {"@SUM(A1)", "'@SUM(A1)"},
      {"a,b", "\"a,b\""},
      {"两行\r\n文字", "\"两行\r\n文字\""},
      {"原创", "原创"},
      {"", ""},
  };
  for (const CellCase& c : cases) EXPECT_EQ(csv_cell(c.text), c.cell) << c.text;
}

// The list is UTF-8 whatever the names: one from a Windows disk (GBK bytes) is
// shown as the window shows it, not as bytes a spreadsheet cannot read.
TEST(BatchListLine, NamesThatAreNotUtf8AreReadAsGbk) {
  const std::string gbk_name = gbk("国标") + ".txt";
  const BatchListRow row{.file = "/文章/" + gbk_name,
                         .verdict = "原创",
                         .copy = "/文章/另存文件夹[原创文章]/" + gbk_name,
                         .report = "/r/" + gbk_name};
  EXPECT_EQ(batch_list_line(row),
            "/文章/国标.txt,原创,0,0,,/文章/另存文件夹[原创文章]/国标.txt,否,国标.txt,,,0,0\r\n");
}

std::vector<std::vector<std::string>> rows_of(const std::string& csv) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream lines(csv);
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> cells;
    std::istringstream fields(line);
    for (std::string cell; std::getline(fields, cell, ',');) cells.push_back(cell);
    if (line.ends_with(',')) cells.emplace_back();
    rows.push_back(cells);
  }
  return rows;
}

class BatchListTest : public BatchFixture {
 protected:
  BatchListTest() { context.reports = &reports; }

  ReportFolder reports{folder / "设置"};
  BatchRun batch{context, clock};
};

TEST_F(BatchListTest, TheBatchListHasARowPerFileMatchingTheSummary) {
  indexed.insert("抄来的");
  unreadable = {"读不出"};
  const std::filesystem::path original = write_file("原创的.txt", "text");
  const std::filesystem::path copied = write_file("抄来的.txt", "text");
  const std::filesystem::path missing = folder / "不见了.txt";
  const std::filesystem::path unjudged = write_file("读不出.txt", "text");
  const std::filesystem::path garbled = write_file("乱码.txt", "\xFF\xFF");
  batch.run_batch({original, copied, missing, unjudged, garbled});

  const std::string box = summary();
  EXPECT_NE(box.find("原创 1 篇"), std::string::npos) << box;
  EXPECT_NE(box.find("无法读取 2 篇"), std::string::npos) << box;
  EXPECT_NE(box.find("无法判断 1 篇"), std::string::npos) << box;
  const size_t named = box.find("检测记录：");
  ASSERT_NE(named, std::string::npos) << box;
  const std::string csv = read_file_bytes(box.substr(named + std::string_view("检测记录：").size()));
  ASSERT_TRUE(csv.starts_with("\xEF\xBB\xBF")) << csv;

  const auto rows = rows_of(csv.substr(3));
  ASSERT_EQ(rows.size(), 6u) << csv;
  EXPECT_EQ(rows[0][1], "结果");
  const std::vector<std::string> file_and_verdict[] = {{original.string(), "原创"},
                                                       {copied.string(), "标题已收录"},
                                                       {missing.string(), "无法读取"},
                                                       {unjudged.string(), "无法判断"},
                                                       {garbled.string(), "无法读取"}};
  for (size_t i = 0; i < 5; ++i) {
    ASSERT_EQ(rows[i + 1].size(), 12u) << csv;
    EXPECT_EQ(rows[i + 1][0], file_and_verdict[i][0]);
    EXPECT_EQ(rows[i + 1][1], file_and_verdict[i][1]);
  }
  EXPECT_EQ(rows[1][5], (output_folder() / "原创的.txt").string());
  EXPECT_EQ(rows[2][5], "");
  // Every checked file has its report beside the list; the unreadable one has none.
  for (size_t i = 1; i <= 2; ++i) EXPECT_TRUE(std::filesystem::is_regular_file(reports.path() / rows[i][7]));
  EXPECT_EQ(rows[3][7], "");
  EXPECT_EQ(rows[4][5], "");
  EXPECT_EQ(rows[4][6], "否");
  // Bytes that are no text: the list says in which encoding.
  EXPECT_EQ(rows[3][4], "");
  EXPECT_EQ(rows[5][4], "文件不是有效的 GBK 文本");
  // Queries sent and answers from the cache: there is no cache here.
  EXPECT_EQ(rows[0][10] + "," + rows[0][11], "查询次数,缓存结果");
  EXPECT_EQ(rows[2][10] + "," + rows[2][11], "1,0");
  EXPECT_EQ(rows[3][10] + "," + rows[3][11], "0,0");
}

}  // namespace
