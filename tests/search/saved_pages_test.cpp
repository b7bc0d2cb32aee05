#include <gtest/gtest.h>

#include <filesystem>

#include "check/article_check.h"
#include "check/random_seeder.h"
#include "check/text_expressions.h"
#include "search/engine_query.h"
#include "support/gbk.h"
#include "support/regex_object.h"
#include "tests/testsupport/fake_window.h"
#include "tests/testsupport/file_bytes.h"
#include "tests/testsupport/local_engine.h"
#include "tests/testsupport/saved_pages.h"

namespace {

struct SavedPage {
  std::string_view file;
  int engine_index;
  std::string_view header_charset;             // as the engine's answer names it
  std::vector<std::string_view> sentences;         // UTF-8, all inside the page's result list
  std::vector<std::string_view> outside_the_list;  // on the page, but not in the result list
  std::vector<std::string_view> result_links;      // of the result that holds each sentence
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
     {"相关品牌"},
     {"http://www.baidu.com/link?url=JKJ9kpfgEXS5Qp2ruqfJDu28EJGUMUzfZLSYU18UcTu",
      "http://www.baidu.com/link?url=JKJ9kpfgEXS5Qp2ruqfJDu28EJGUMUzfZLSYU18UcTu",
      "http://www.baidu.com/"
      "link?url=9kiJ_-d4puaCg1C4ixbSa_Y-aVusSb1X-tXhsJqhU0SGapW5s2uZ9MeAV-P7lven_IfeGTS9cUMJpyPB0rcdFq"}},
    {"sogou-1.html",
     4,
     "gbk",
     {"近日，新一期的环保目录发布，在新的目录里出现了不少进口车型", "大众汽车发布了最新改款途观",
      "编辑对近期海外发布的改款Tiguan"},
     {"2012进口大众新途观"},
     {"http://news.xgo.com.cn/15/150375.html", "http://auto.sina.com.cn/news/2011-03-01/0701725294.shtml",
      "http://auto.jrj.com.cn/2011/03/1517079459494.shtml"}},
    {"sogou-4.html",
     4,
     "utf-8",
     {"有82把空气枪单位面积动能达21-27焦耳/平方厘米",
      "近日，首都机场海关查获今年第二起仿真枪械违规进出境案件", "今后将对气枪的生产、进口和销售进行严格控制"},
     {"在指定站内搜索"},
     {"http://www.sogou.com/"
      "link?url=hedJjaC291Osj6fmiZw1ZvXUlQL07XXmGE95qGcU4mXghylvexw11GoyHo00P8ru59_LYbDRQcmt5pUc3zy0dg..",
      "http://www.sogou.com/"
      "link?url=DSOYnZeCC_qetJvTgG4Ehg2EuRiPc859KSiKWnaKZkWILtd0D0EDwz-NexlEt7RGFDz2xbOXdiA.",
      "http://www.sogou.com/link?url=6IqLFeTuIyg_KJLOdn1g897u3z3YfAOD5txGmxcfG3aW2x7hmP4x3PrchZ9fDwVe"}},
    // No meta tag names the charset: only the header tells it is UTF-8.
    {"google-1.html",
     3,
     "utf-8",
     {"Das erste Cover der Satirezeitschrift", "Woran erkennen Sie denn, dass es der Prophet sein soll?",
      "Ich bin für Satire, Titanic oder"},
     {"Weitere Informationen"},
     {"https://www.facebook.com/ihre.sz/posts/757107324380649?comment_id=757152877709427",
      "https://www.facebook.com/ihre.sz/posts/757107324380649?comment_id=757152877709427",
      "http://www.tageszeitung.it/2015/01/18/knallkoepfe-charlie/"}},
    {"360-1.html",
     1,
     "utf-8",
     {"案件调查笔录(范例)由考试吧实用文档网提供", "如何制作建设领域行政处罚案件调查笔录"},
     // After the pager; the hot list and the related searches of the side column.
     {"意见反馈", "找到相关结果约4,780,000个", "曝王思聪被逼联姻", "纪检案件调查笔录", "现场勘查笔录"},
     {"https://www.so.com/"
      "link?m=aDh1%2Bg6tMw8mk7nsV9lUuDpm2oGPYcr1sxFSRSwxSG2xTt19aTYp3OjtPI%2FE7OAUxw6C6s0z%"
      "2BSVUC4yGdIdgjfmpAqu1sPITcWBMYe8%2BASmRWhVSA3yNZLCNR0Xa264B8C3AFztM3l6ni19jRL9K7gTPtS%2BE%"
      "2BgZA5ho4Hw3inkZL%2FMgiacoQoCDOdcudVkze0dNn8OeWWctC%2FewvotBUHovJFvvD7ahm9pM393w%3D%3D",
      "https://www.docin.com/p-1851117561.html"}},
    {"360-2022-1.html",
     1,
     "utf-8",
     {"不依靠药物或运动而达到减肥的目的的一种方法", "刚开始减肥的三天，每天只能喝水，不能吃任何食物",
      "其实所谓的21天减肥法就是一种很极端的节食办法", "21天减肥法，就是在21天内，分阶段性地"},
     // After the pager; the hot list and "猜您关注" of the side column.
     {"找到相关结果约66,500个", "中国式健身走红海外", "减肥食物排行榜", "苹果三日减肥法"},
     {"https://baike.so.com/doc/5341317-5576760.html",
      "https://kuai.so.com/8f25e6fb27909fc13c9d40768a63fa26/wenda/selectedabstracts/www.51dongshi.com?src=wenda_abstract",
      // The result's script writes links of its own, which are no address.
      "https://www.so.com/"
      "link?m=bQyxs3hsfOm3ATuFCMjnr7PiGa0uLqLVnUrZxKl9E4wvJ7M%2FVcmqHHNJeCi8ywFukbnpUuR5KztIMEE4lojNLNA7b5awTOPMXIBPLkKgKefZ"
      "Ck8%2F%2B21%2FY7JNJh%2BPYAaLBA%2BOqZBjFUrR8RII1C8uECeVPvma7jwKU4q40VNFJUYhrWNHzky7SSCLM8u%2FXnVhfsxeXJQ%3D%3D",
      "https://baike.so.com/doc/5341317-5576760.html"}},
    {"bing-2020-1.html",
     5,
     "utf-8",
     {"大家好，在我们日常工作和生活的过程中，多少都会需要通过ISO镜像文件安装Wi10系统",
      "最近使用win10系统的用户在电脑上使用夜神模拟器的时候遇到了微信闪退的现象"},
     {"Get quick access to Bing with the Bing extension for Chrome", "Add Bing New Tab extension"},
     {"https://jingyan.baidu.com/article/f00622284e8e14fbd2f0c871.html", "http://www.winwin7.com/JC/18776.html"}},
};

// A saved real page served for every query by the local engine acting as proxy,
// and a check that asks it.
class SavedPageCheck : public ::testing::Test {
 protected:
  // False, and the test skipped, when the saved pages are not there.
  bool serve_saved_page(std::string_view file, std::string_view header_charset) {
    if (!std::filesystem::is_directory(kSavedPagesFolder)) return false;
    const std::string page = read_file_bytes(kSavedPagesFolder / file);
    engine.serve([page, charset = std::string(header_charset)](const ReceivedRequest&) {
      return html_reply(page, charset);
    });
    tag_expression.set_pattern("<.*?>");
    prepare_window_expressions(expressions);
    window.set_selected_index(Control::组合框代理形式, 2);
    window.set_text(Control::编辑框IP, engine.address());
    return true;
  }

  FakeWindow window;
  bool stop = false;
  RegexObject tag_expression;
  LocalEngine engine;
  EngineQuery query{window, stop, tag_expression};
  TextExpressions expressions;
  RandomSeeder seeder;
  CheckContext context{window, stop, expressions, seeder,
                       [this](std::string_view sentence, int engine_index) {
                         return query.is_sentence_indexed(sentence, engine_index);
                       }};
};

// The test's name: the page's file name without its extension and dashes.
template <typename Info>
std::string page_test_name(const Info& info) {
  std::string name(info.param.file.substr(0, info.param.file.find('.')));
  std::erase(name, '-');
  return name;
}

class SavedPageTest : public SavedPageCheck, public ::testing::WithParamInterface<SavedPage> {
 protected:
  void SetUp() override {
    if (!serve_saved_page(GetParam().file, GetParam().header_charset))
      GTEST_SKIP() << "no saved pages at " << kSavedPagesFolder;
  }

  SentenceOutcome outcome(std::string_view utf8_sentence) {
    return query.is_sentence_indexed(gbk(utf8_sentence), GetParam().engine_index).outcome;
  }
};

INSTANTIATE_TEST_SUITE_P(Fixtures, SavedPageTest, ::testing::ValuesIn(kSavedPages),
                         page_test_name<::testing::TestParamInfo<SavedPage>>);

TEST_P(SavedPageTest, SentencesOfTheResultListAreIndexed) {
  for (const std::string_view sentence : GetParam().sentences) {
    EXPECT_EQ(outcome(sentence), SentenceOutcome::indexed) << sentence;
  }
  EXPECT_FALSE(stop);
}

// Each listed sentence checked as a title: the record's one row is indexed, on the
// result of the list that really holds the sentence.
TEST_P(SavedPageTest, TheRecordNamesTheResultThatHoldsEachSentence) {
  window.set_checked(Control::选择框判断标题, true);
  window.set_selected_index(Control::组合框引擎, GetParam().engine_index);
  for (size_t i = 0; i < GetParam().sentences.size(); ++i) {
    std::string title = gbk(GetParam().sentences[i]);
    EXPECT_EQ(check_article(context, false, title, true, "", true), ArticleVerdict::not_original);
    const CheckRecord& record = context.record;
    ASSERT_EQ(record.searched.size(), 1u);
    const SentenceAnswer& answer = record.searched[0].answer;
    EXPECT_TRUE(record.searched[0].is_title);
    EXPECT_EQ(record.verdict, CheckVerdict::title_indexed);
    EXPECT_EQ(answer.outcome, SentenceOutcome::indexed);
    EXPECT_EQ(answer.result_link, GetParam().result_links[i]) << GetParam().sentences[i];
    EXPECT_FALSE(answer.result_title.empty());
  }
  for (const std::string_view outside : GetParam().outside_the_list) {
    std::string title = gbk(outside);
    EXPECT_EQ(check_article(context, false, title, true, "", true), ArticleVerdict::original) << outside;
    EXPECT_EQ(context.record.searched.at(0).answer.outcome, SentenceOutcome::not_indexed);
    EXPECT_EQ(context.record.searched.at(0).answer.result_link, "");
  }
}

// Not indexed, and not for want of a readable page.
TEST_P(SavedPageTest, TextOutsideTheResultListOrOffThePageIsNotIndexed) {
  for (const std::string_view outside : GetParam().outside_the_list) {
    EXPECT_EQ(outcome(outside), SentenceOutcome::not_indexed) << outside;
  }
  EXPECT_EQ(outcome("这句话不在任何保存下来的页面上"), SentenceOutcome::not_indexed);
  EXPECT_EQ(outcome("Dieser Satz steht auf keiner Seite"), SentenceOutcome::not_indexed);
  EXPECT_FALSE(stop);
}

class RobotPageTest : public SavedPageCheck, public ::testing::WithParamInterface<RobotPage> {
 protected:
  void SetUp() override {
    if (!serve_saved_page(GetParam().file, "utf-8")) GTEST_SKIP() << "no saved pages at " << kSavedPagesFolder;
    window.set_text(Control::编辑框间隔秒, "0");
    window.set_checked(Control::选择框屏蔽等待, false);
    window.set_checked(Control::选择框判断标题, true);
    window.set_selected_index(Control::组合框引擎, GetParam().engine_index);
    window.answers.push_back(MessageAnswer::cancel);
  }
};

INSTANTIATE_TEST_SUITE_P(Fixtures, RobotPageTest, ::testing::ValuesIn(kRobotPages),
                         page_test_name<::testing::TestParamInfo<RobotPage>>);

// One question, one box that says what happened, and no verdict: the run stops.
TEST_P(RobotPageTest, GivesNoVerdictAndOneBoxThatNamesTheCause) {
  std::string title = gbk("这篇文章的标题");
  check_article(context, true, title, true, "", true);
  EXPECT_TRUE(stop);
  EXPECT_EQ(context.record.verdict, CheckVerdict::stopped);
  ASSERT_EQ(window.messages.size(), 1u);
  const std::string text = utf8_from_gbk(window.messages[0].text);
  EXPECT_NE(text.find(GetParam().message), std::string::npos) << text;
  EXPECT_EQ(text.find("网络"), std::string::npos) << text;
  EXPECT_EQ(engine.requests().size(), 1u);
}

}  // namespace
