#include "check/check_record.h"

#include <gtest/gtest.h>

#include <deque>
#include <set>

#include "check/article_check.h"
#include "check/html_report.h"
#include "check/report_folder.h"
#include "tests/check/check_fixture.h"
#include "tests/testsupport/file_bytes.h"
#include "tests/testsupport/temp_dir.h"

namespace {

class CheckRecordTest : public CheckFixture {};

// Every searched piece is a row in draw order with its answer, and is marked in the
// report's article text by its outcome; the verdict lines are the box's.
TEST_F(CheckRecordTest, RowsMarksAndVerdictFollowTheRun) {
  set_text(Control::编辑框判断比例, "100");
  window.set_checked(Control::单选框按未收录率, false);
  window.set_checked(Control::单选框按收录率, true);
  answers = {true, false};
  std::string title = gbk("标题");
  // The first answer leaves 100% in reach, the second not: original after two.
  EXPECT_EQ(check_article(context, false, title, true, gbk(numbered_sentences(3)), true),
            ArticleVerdict::original);

  const CheckRecord& record = context.record;
  EXPECT_EQ(record.verdict, CheckVerdict::original);
  EXPECT_EQ(utf8_from_gbk(record.verdict_line), "根据当前设置检测，该文章属于原创文章！");
  EXPECT_EQ(utf8_from_gbk(record.count_line), "已检测 2 句，收录 1 句，收录率 33.33%");
  ASSERT_EQ(queries.size(), 2u);
  ASSERT_EQ(record.searched.size(), queries.size());
  ASSERT_EQ(record.marks.size(), queries.size());
  const std::string html = html_report(record);
  for (size_t i = 0; i < queries.size(); ++i) {
    EXPECT_EQ(utf8_from_gbk(record.searched[i].sentence), queries[i].sentence);
    const std::string_view css = i == 0 ? "indexed" : "not-indexed";
    EXPECT_NE(html.find("<span class=\"" + std::string(css) + "\">" + queries[i].sentence + "</span>"),
              std::string::npos)
        << html;
  }
}

// A sentence searched without an answer is not passed off as one never drawn: it
// has a mark of its own, in the article and in its table row.
TEST_F(CheckRecordTest, ASentenceWithoutAnAnswerIsMarkedApartFromTheUndrawn) {
  set_text(Control::编辑框判断比例, "100");
  unreadable = {"第2个句子"};
  std::string title = gbk("标题");
  check_article(context, false, title, true, gbk(numbered_sentences(3)), true);
  ASSERT_EQ(queries.size(), 3u);
  const std::string html = html_report(context.record);
  EXPECT_NE(html.find("<span class=\"unanswered\">第2个句子</span>"), std::string::npos) << html;
  EXPECT_NE(html.find("<td class=\"outcome unanswered\">结果页无法识别</td>"), std::string::npos) << html;
}

// The report says how far the sample can be trusted: the interval of the deciding
// share over the answered sentences, and a warning when the threshold lies inside it.
TEST_F(CheckRecordTest, TheReportTellsHowSureItsVerdictIs) {
  struct Case {
    std::string_view name;
    bool by_indexed_rate;
    std::string_view rate;
    int sentences;
    std::deque<bool> answers;
    bool default_answer;
    std::set<std::string> unreadable;
    std::string_view interval;  // empty: no interval line
    bool unstable;
  };
  const Case cases[] = {
      {"SixOfTenNotIndexed",
       false,
       "60",
       10,
       {true, true, true, true},
       false,
       {},
       "按抽检结果估计，全文未收录句子占 31%–83%（95% 置信区间）",
       true},
      {"EveryOneIndexed",
       false,
       "60",
       10,
       {},
       true,
       {},
       "按抽检结果估计，全文未收录句子占 0%–43%（95% 置信区间）",
       false},
      // Two answered, none indexed: over three it would be 0%–56%.
      {"UnreadPagesLeftOut",
       true,
       "50",
       3,
       {},
       false,
       {"第2个句子"},
       "按抽检结果估计，全文收录句子占 0%–66%（95% 置信区间）",
       true},
      {"NothingAnswered", false, "100", 3, {}, false, {"第1个句子", "第2个句子", "第3个句子"}, "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    window.set_checked(Control::单选框按收录率, c.by_indexed_rate);
    window.set_checked(Control::单选框按未收录率, !c.by_indexed_rate);
    set_text(Control::编辑框判断比例, c.rate);
    set_text(Control::编辑框句数, std::to_string(c.sentences));
    answers = c.answers;
    default_answer = c.default_answer;
    unreadable = c.unreadable;
    std::string title = gbk("标题");
    check_article(context, false, title, true, gbk(numbered_sentences(c.sentences)), true);
    const std::string html = html_report(context.record);
    if (c.interval.empty()) {
      EXPECT_EQ(html.find("按抽检结果估计"), std::string::npos) << html;
    } else {
      EXPECT_NE(html.find("<p class=\"confidence\">" + std::string(c.interval) + "</p>"), std::string::npos)
          << html;
    }
    EXPECT_EQ(html.find("结论不稳：再检测一次可能得出相反的结论，可增加检测句数。") != std::string::npos,
              c.unstable);
  }
}

TEST_F(CheckRecordTest, AReportThatCannotBeWrittenWarnsAndLeavesTheVerdict) {
  TempDir folder;
  write_file_bytes(folder.path() / "检测报告", "a file where the folder should be");
  const ReportFolder reports(folder.path());
  context.reports = &reports;
  default_answer = false;
  std::string title = gbk("标题");
  EXPECT_EQ(check_article(context, true, title, true, gbk(numbered_sentences(10)), true),
            ArticleVerdict::original);
  ASSERT_EQ(window.messages.size(), 2u);
  EXPECT_EQ(window.messages[0].icon, MessageIcon::warning);
  EXPECT_TRUE(utf8_from_gbk(window.messages[1].text).starts_with("根据当前设置检测，该文章属于原创文章！"));
  EXPECT_TRUE(context.record.report_file.empty());
}

struct NameCase {
  std::string_view title;
  std::string_view name;
  size_t max_bytes = 120;
};

TEST(SafeFileName, DropsWhatNoFileNameMayHoldAndBoundsTheLength) {
  const NameCase cases[] = {
      {"../../etc/passwd", "etcpasswd"},
      {"a\\b:c*d?e\"f<g>h|i", "abcdefghi"},
      {std::string_view("x\0y\tz\x7f", 6), "xyz"},
      {"..隐藏 ", "隐藏"},
      {"...", "无标题"},
      {"中文标题", "中文标题"},
      {"一二三四五", "一二三", 10},  // three whole characters fit in 10 bytes
  };
  for (const NameCase& c : cases) EXPECT_EQ(safe_file_name(c.title, c.max_bytes), c.name) << c.title;
}

}  // namespace
