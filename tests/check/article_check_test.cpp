#include "check/article_check.h"

#include <gtest/gtest.h>

#include <set>

#include "tests/check/check_fixture.h"

namespace {

class ArticleCheckTest : public CheckFixture {
 protected:
  // The single-article run: texts from the window, verdicts in message boxes.
  ArticleVerdict check_window_article() {
    std::string title;
    return check_article(context, true, title, false, {}, false);
  }

  // What one message box said, in UTF-8.
  struct Shown {
    std::string text;
    std::string caption;
    MessageIcon icon;
  };
  std::vector<Shown> shown() const {
    std::vector<Shown> result;
    for (const Message& message : window.messages) {
      EXPECT_EQ(message.buttons, MessageButtons::ok);
      EXPECT_FALSE(message.system_modal);
      result.push_back({utf8_from_gbk(message.text), utf8_from_gbk(message.caption), message.icon});
    }
    return result;
  }
};

TEST_F(ArticleCheckTest, VerdictMessagesTellWhyTheVerdictFell) {
  set_text(Control::编辑框内容, numbered_sentences(12));
  EXPECT_EQ(check_window_article(), ArticleVerdict::original);
  default_answer = true;
  EXPECT_EQ(check_window_article(), ArticleVerdict::not_original);

  const std::vector<Shown> messages = shown();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].text,
            "根据当前设置检测，该文章属于原创文章！\r\n已检测 6 句，收录 0 句，未收录率 60%");
  EXPECT_EQ(messages[0].caption, "信息：");
  EXPECT_EQ(messages[0].icon, MessageIcon::information);
  EXPECT_EQ(messages[1].text, "根据当前设置检测，该文章内容已收录\r\n已检测 5 句，收录 5 句，未收录率 0%");
  EXPECT_EQ(messages[1].caption, "信息：");
  EXPECT_EQ(messages[1].icon, MessageIcon::none);
}

TEST_F(ArticleCheckTest, ABatchGetsTheVerdictWithoutMessages) {
  std::string title = gbk("标题");
  EXPECT_EQ(check_article(context, false, title, true, gbk(numbered_sentences(12)), true),
            ArticleVerdict::original);
  default_answer = true;
  EXPECT_EQ(check_article(context, false, title, true, gbk(numbered_sentences(12)), true),
            ArticleVerdict::not_original);
  EXPECT_TRUE(window.messages.empty());
}

TEST_F(ArticleCheckTest, GivenTextsGoIntoTheWindowAndTheTitleComesBackTrimmed) {
  window.set_checked(Control::单选框按收录率, true);
  std::string title = gbk("　<b>原创</b>标题 ");
  check_article(context, false, title, true, gbk("正文内容"), true);
  EXPECT_EQ(utf8_from_gbk(window.text(Control::编辑框标题)), "　<b>原创</b>标题 ");
  EXPECT_EQ(utf8_from_gbk(window.text(Control::编辑框内容)), "正文内容");
  EXPECT_EQ(utf8_from_gbk(title), "<b>原创</b>标题");

  set_text(Control::编辑框标题, " 窗口里的标题");
  std::string from_window = "ignored";
  check_article(context, false, from_window, false, "ignored", false);
  EXPECT_EQ(utf8_from_gbk(from_window), "窗口里的标题");
  EXPECT_EQ(utf8_from_gbk(window.text(Control::编辑框内容)), "正文内容");
}

TEST_F(ArticleCheckTest, TheTitleIsSearchedTrimmedButNotCleaned) {
  window.set_checked(Control::选择框判断标题, true);
  window.set_checked(Control::选择框判断内容, false);
  set_text(Control::编辑框标题, "　<b>原创</b>标题 ");
  EXPECT_EQ(check_window_article(), ArticleVerdict::original);
  ASSERT_EQ(queries.size(), 1u);
  EXPECT_EQ(queries[0].sentence, "<b>原创</b>标题");
  EXPECT_EQ(queries[0].status, "【检测标题】<b>原创</b>标题");
  // Nothing of the content was searched: the message has no counts.
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(shown()[0].text, "根据当前设置检测，该文章属于原创文章！");
}

TEST_F(ArticleCheckTest, AnEmptyTitleIsNotSearched) {
  window.set_checked(Control::选择框判断标题, true);
  window.set_checked(Control::选择框判断内容, false);
  set_text(Control::编辑框标题, " \t　");
  // Nothing was asked, so there is nothing to call original.
  EXPECT_EQ(check_window_article(), ArticleVerdict::undecided);
  EXPECT_TRUE(queries.empty());
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_TRUE(shown()[0].text.starts_with("文章标题为空")) << shown()[0].text;
  EXPECT_EQ(shown()[0].icon, MessageIcon::warning);
}

TEST_F(ArticleCheckTest, AnIndexedTitleEndsTheCheck) {
  window.set_checked(Control::选择框判断标题, true);
  set_text(Control::编辑框标题, "标题");
  set_text(Control::编辑框内容, numbered_sentences(12));
  answers = {true};
  EXPECT_EQ(check_window_article(), ArticleVerdict::not_original);
  EXPECT_EQ(queries.size(), 1u);
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(shown()[0].text, "根据当前设置检测，该文章标题已收录");
  EXPECT_EQ(shown()[0].icon, MessageIcon::none);
}

TEST_F(ArticleCheckTest, TitleWaitsDifferAfterAnIndexedAndAFreeTitle) {
  window.set_checked(Control::选择框判断标题, true);
  window.set_checked(Control::选择框判断内容, false);
  std::string title = "标题";

  // In a batch an indexed title waits whole seconds: "1.5" waits one second.
  set_text(Control::编辑框间隔秒, "1.5");
  answers = {true};
  EXPECT_EQ(check_article(context, false, title, true, "", true), ArticleVerdict::not_original);
  EXPECT_EQ(window.event_rounds - queries.back().event_rounds, 100);

  // A title not indexed waits the interval itself.
  set_text(Control::编辑框间隔秒, "0.25");
  window.event_rounds = 0;
  EXPECT_EQ(check_article(context, false, title, true, "", true), ArticleVerdict::original);
  EXPECT_EQ(window.event_rounds - queries.back().event_rounds, 25);
}

TEST_F(ArticleCheckTest, CheckBoxesCountWhenTheyAreRead) {
  window.set_checked(Control::选择框判断标题, true);
  set_text(Control::编辑框标题, "标题");
  set_text(Control::编辑框内容, numbered_sentences(12));
  set_text(Control::编辑框间隔秒, "0.05");
  // Unticked during the wait after the title: the content is not checked.
  window.on_events = [this] { window.set_checked(Control::选择框判断内容, false); };
  EXPECT_EQ(check_window_article(), ArticleVerdict::original);
  EXPECT_EQ(queries.size(), 1u);
}

TEST_F(ArticleCheckTest, NeitherCheckTickedWarnsAndStops) {
  window.set_checked(Control::选择框判断内容, false);
  std::string title = "标题";
  EXPECT_EQ(check_article(context, false, title, true, gbk(numbered_sentences(3)), true),
            ArticleVerdict::not_original);
  EXPECT_TRUE(stop_requested);
  EXPECT_TRUE(queries.empty());
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(shown()[0].text, "请至少打勾一个判断功能：判断标题或判断内容");
  EXPECT_EQ(shown()[0].icon, MessageIcon::warning);
}

TEST_F(ArticleCheckTest, AStoppedRunShowsNoVerdict) {
  set_text(Control::编辑框内容, numbered_sentences(12));
  on_query = [this] { stop_requested = true; };
  EXPECT_EQ(check_window_article(), ArticleVerdict::not_original);
  EXPECT_TRUE(window.messages.empty());

  // The same for a stop during the title search, even if the title was found.
  queries.clear();
  window.set_checked(Control::选择框判断标题, true);
  set_text(Control::编辑框标题, "标题");
  answers = {true};
  EXPECT_EQ(check_window_article(), ArticleVerdict::not_original);
  EXPECT_EQ(queries.size(), 1u);
  EXPECT_TRUE(window.messages.empty());
}

TEST_F(ArticleCheckTest, ProgressMaximumIsTheRequestedCount) {
  set_text(Control::编辑框句数, "１０");
  set_text(Control::编辑框内容, numbered_sentences(4));
  on_query = [this] { EXPECT_EQ(window.progress_maximum[Control::进度条], 10); };
  check_window_article();
  EXPECT_EQ(queries.size(), 3u);  // 60 % of 4 reached after three not indexed
  EXPECT_EQ(window.progress_maximum[Control::进度条], 10);
}

TEST_F(ArticleCheckTest, ContentWithNothingToSearchGetsNoVerdict) {
  set_text(Control::编辑框最少字数, "5");
  const std::string sentences = numbered_sentences(12);
  const struct {
    std::string_view content;
    std::string_view count;
    std::string_view warning;  // the start of the one box shown
  } cases[] = {
      {"", "10", "文章内容中没有可以检测的句子"},
      {"   ", "10", "文章内容中没有可以检测的句子"},
      {"短句。也短。", "10", "文章内容中没有可以检测的句子"},
      // No sentence asked for: the setting is to blame, not the article.
      {sentences, "", "“检测多少句”不是正数"},
      {sentences, "0", "“检测多少句”不是正数"},
      {sentences, "-5", "“检测多少句”不是正数"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.content) + " / " + std::string(c.count));
    window.messages.clear();
    set_text(Control::编辑框内容, c.content);
    set_text(Control::编辑框句数, c.count);
    EXPECT_EQ(check_window_article(), ArticleVerdict::undecided);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_TRUE(shown()[0].text.starts_with(c.warning)) << shown()[0].text;
    EXPECT_EQ(shown()[0].icon, MessageIcon::warning);
  }
  EXPECT_TRUE(queries.empty());
}

// Pages that could not be read are counted, and no original verdict rests on them.
TEST_F(ArticleCheckTest, UnreadableResultPagesAreCountedAndNeverMakeAnOriginal) {
  struct Case {
    std::string_view name;
    bool title_only;
    std::set<std::string> unreadable;
    std::string_view rate;
    ArticleVerdict verdict;
    std::string_view message;  // the start of the one box shown
  };
  const std::string warning = "无法识别搜索引擎的结果页";
  const Case cases[] = {
      {"AllContent",
       false,
       {"第1个句子", "第2个句子", "第3个句子"},
       "100",
       ArticleVerdict::undecided,
       warning},
      {"ContentTheVerdictRestsOn",
       false,
       {"第1个句子", "第2个句子"},
       "100",
       ArticleVerdict::undecided,
       "无法识别搜索引擎的结果页：结论取决于结果页无法识别的句子，"
       "可能是搜索引擎改了页面格式，或者它在屏蔽本程序。请稍后再试，或改用浏览器模式检测。本次检测没有结论。"
       "\r\n已检测 3 句，收录 0 句，未收录率 100%，2 句的结果页无法识别"},
      {"ContentTheVerdictDoesNotNeed",
       false,
       {"第1个句子"},
       "60",
       ArticleVerdict::original,
       "根据当前设置检测，该文章属于原创文章！"},
      {"TitleOnly", true, {"标题"}, "100", ArticleVerdict::undecided, warning},
      {"TitleOfAnOriginalContent",
       false,
       {"标题"},
       "100",
       ArticleVerdict::undecided,
       "无法识别搜索引擎的结果页：标题的结果页"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    window.messages.clear();
    unreadable = c.unreadable;
    window.set_checked(Control::选择框判断标题, c.title_only || c.unreadable.contains("标题"));
    window.set_checked(Control::选择框判断内容, !c.title_only);
    set_text(Control::编辑框标题, "标题");
    set_text(Control::编辑框内容, numbered_sentences(3));
    set_text(Control::编辑框句数, "3");
    set_text(Control::编辑框判断比例, c.rate);
    EXPECT_EQ(check_window_article(), c.verdict);
    EXPECT_FALSE(stop_requested);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_TRUE(shown()[0].text.starts_with(c.message)) << shown()[0].text;
  }
  EXPECT_EQ(window.messages[0].icon, MessageIcon::warning);
}

}  // namespace
