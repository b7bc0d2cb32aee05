#include <gtest/gtest.h>

#include <filesystem>

#include "search/engine_query.h"
#include "support/gbk.h"
#include "support/regex_object.h"
#include "tests/testsupport/fake_window.h"
#include "tests/testsupport/file_bytes.h"
#include "tests/testsupport/local_engine.h"

namespace {

const std::filesystem::path kPages = SHARED_FIXTURES_DIR "/pages";

struct SavedPage {
  std::string_view file;
  int engine_index;
  std::string_view header_charset;          // as the engine's answer names it
  std::vector<std::string_view> sentences;  // UTF-8, all inside the page's result list
  std::string_view outside_the_list;        // on the page, but not in the result list
};

void PrintTo(const SavedPage& page, std::ostream* out) {
  *out << page.file;
}

const SavedPage kSavedPages[] = {
    {"baidu-1.html",
     0,
     "utf-8",
     {"中国最权威最专业的海量词典", "海词词典为您提供number的在线翻译",
      "numero的第一个字母是N,最后一个字母是o"},
     "相关品牌"},
    {"sogou-1.html",
     4,
     "gbk",
     {"近日，新一期的环保目录发布，在新的目录里出现了不少进口车型", "大众汽车发布了最新改款途观",
      "编辑对近期海外发布的改款Tiguan"},
     "2012进口大众新途观"},
    {"sogou-4.html",
     4,
     "utf-8",
     {"有82把空气枪单位面积动能达21-27焦耳/平方厘米",
      "近日，首都机场海关查获今年第二起仿真枪械违规进出境案件", "今后将对气枪的生产、进口和销售进行严格控制"},
     "在指定站内搜索"},
    // No meta tag names the charset: only the header tells it is UTF-8.
    {"google-1.html",
     3,
     "utf-8",
     {"Das erste Cover der Satirezeitschrift", "Woran erkennen Sie denn, dass es der Prophet sein soll?",
      "Ich bin für Satire, Titanic oder"},
     "Weitere Informationen"},
    {"360-1.html",
     1,
     "utf-8",
     {"案件调查笔录(范例)由考试吧实用文档网提供", "如何制作建设领域行政处罚案件调查笔录"},
     "意见反馈"},
};

// Real result pages saved from the engines, served for every query by the local
// engine acting as proxy.
class SavedPageTest : public ::testing::TestWithParam<SavedPage> {
 protected:
  void SetUp() override {
    if (!std::filesystem::is_directory(kPages)) GTEST_SKIP() << "no saved pages at " << kPages;
    const std::string page = read_file_bytes(kPages / GetParam().file);
    engine.serve([page, charset = GetParam().header_charset](const ReceivedRequest&) {
      return html_reply(page, charset);
    });
    tag_expression.set_pattern("<.*?>");
    window.set_selected_index(Control::组合框代理形式, 2);
    window.set_text(Control::编辑框IP, engine.address());
  }

  SentenceOutcome outcome(std::string_view utf8_sentence) {
    return query.is_sentence_indexed(gbk(utf8_sentence), GetParam().engine_index).outcome;
  }

  FakeWindow window;
  bool stop = false;
  RegexObject tag_expression;
  LocalEngine engine;
  EngineQuery query{window, stop, tag_expression};
};

INSTANTIATE_TEST_SUITE_P(Fixtures, SavedPageTest, ::testing::ValuesIn(kSavedPages), [](const auto& info) {
  std::string name(info.param.file.substr(0, info.param.file.find('.')));
  std::erase(name, '-');
  return name;
});

TEST_P(SavedPageTest, SentencesOfTheResultListAreIndexed) {
  for (const std::string_view sentence : GetParam().sentences) {
    EXPECT_EQ(outcome(sentence), SentenceOutcome::indexed) << sentence;
  }
  EXPECT_FALSE(stop);
}

// Not indexed, and not for want of a readable page.
TEST_P(SavedPageTest, TextOutsideTheResultListOrOffThePageIsNotIndexed) {
  EXPECT_EQ(outcome(GetParam().outside_the_list), SentenceOutcome::not_indexed);
  EXPECT_EQ(outcome("这句话不在任何保存下来的页面上"), SentenceOutcome::not_indexed);
  EXPECT_EQ(outcome("Dieser Satz steht auf keiner Seite"), SentenceOutcome::not_indexed);
  EXPECT_FALSE(stop);
}

}  // namespace
