#include "search/browser_page_fetch.h"

#include <gtest/gtest.h>

#include "search/engine_table.h"
#include "support/gbk.h"
#include "tests/testsupport/fake_window.h"

namespace {

constexpr char kUrl[] = "http://www.baidu.com/s?wd=%D6%D0";

// A page that never shows the sentence, numbered by the read that brought it.
std::string loading_page(int read) {
  return "<html><body>loading " + std::to_string(read) + "</body></html>";
}

class BrowserPageFetchTest : public ::testing::Test {
 protected:
  // One 10 ms slice per poll keeps the 101 polls before the prompt quick.
  static constexpr int kTestPollMs = 10;

  std::string fetch_page(std::string_view utf8_sentence) {
    return fetch.fetch_page_browser(kUrl, gbk(utf8_sentence), *engine_at(0)).text;
  }

  // Every read before `showing_read` gets a page without the sentence, then
  // `page_utf8` for good.
  void show_page_from_read(int showing_read, std::string_view page_utf8) {
    window.browser_document = [this, showing_read, page = gbk(page_utf8)](const std::string& property) {
      properties_read.push_back(property);
      return window.browser_reads >= showing_read ? page : loading_page(window.browser_reads);
    };
  }

  // Pages that never show the sentence; checks at each read that the browser was
  // sent to the address again at polls 10, 20, ..., 100 of the current count.
  void never_show_sentence() {
    window.browser_document = [this](const std::string&) {
      const int poll = window.browser_reads - polls_before_count_restart;
      EXPECT_EQ(window.browser_navigations.size(), 1 + navigations_before_count_restart + (poll - 1) / 10)
          << "at read " << window.browser_reads;
      return loading_page(window.browser_reads);
    };
    window.on_message = [this](const Message&) {
      polls_before_count_restart = window.browser_reads;
      navigations_before_count_restart = window.browser_navigations.size() - 1;
    };
  }

  FakeWindow window;
  bool stop = false;
  BrowserPageFetch fetch{window, stop, kTestPollMs};
  std::vector<std::string> properties_read;
  int polls_before_count_restart = 0;
  size_t navigations_before_count_restart = 0;
};

TEST_F(BrowserPageFetchTest, PollsUntilThePageShowsTheSentence) {
  window.browser_document = [this](const std::string& property) {
    properties_read.push_back(property);
    // No document at first, then the old page, then the result page.
    if (window.browser_reads == 1) return std::string();
    if (window.browser_reads == 2) return gbk("<html><title>上一句 - 搜索结果</title></html>");
    return gbk("<html><title>中文句子 - 搜索结果</title></html>");
  };

  EXPECT_EQ(fetch_page("中文句子"), gbk("<html><title>中文句子 - 搜索结果</title></html>"));
  EXPECT_EQ(window.browser_reads, 3);
  EXPECT_EQ(properties_read, std::vector<std::string>(3, "outerHTML"));
  EXPECT_EQ(window.browser_navigations, std::vector<std::string>{kUrl});
  EXPECT_TRUE(window.messages.empty());
  EXPECT_FALSE(stop);
}

TEST_F(BrowserPageFetchTest, ProbeIsFoundWhateverTheCaseOfItsLetters) {
  show_page_from_read(1, "<p>Qt 与 WebEngine</p>");
  EXPECT_EQ(fetch_page("qt 与 webengine"), gbk("<p>Qt 与 WebEngine</p>"));
}

TEST_F(BrowserPageFetchTest, FullWidthSentenceEndsTheWaitWhenThePageShowsItHalfWidth) {
  show_page_from_read(2, "<p>型号ABC123的说明</p>");
  EXPECT_EQ(fetch_page("型号ＡＢＣ１２３的说明"), gbk("<p>型号ABC123的说明</p>"));
  EXPECT_EQ(window.browser_reads, 2);
}

TEST_F(BrowserPageFetchTest, LongSentenceIsProbedByItsFirstThirtyCharacters) {
  // 30 characters, then ten more the page does not show.
  const std::string first_30 = "一二三四五六七八九十ab三四五六七八九十一二三四五六七八九十";
  show_page_from_read(1, "<title>" + first_30 + "……</title>");
  EXPECT_EQ(fetch_page(first_30 + "甲乙丙丁戊己庚辛壬癸"), gbk("<title>" + first_30 + "……</title>"));
  EXPECT_EQ(window.browser_reads, 1);
}

TEST_F(BrowserPageFetchTest, TwentyNineOfTheFirstThirtyCharactersAreNotEnough) {
  const std::string first_29 = "一二三四五六七八九十ab三四五六七八九十一二三四五六七八九";
  show_page_from_read(1, "<title>" + first_29 + "</title>");
  window.answers = {MessageAnswer::no};
  fetch_page(first_29 + "十甲乙丙丁");
  EXPECT_EQ(window.messages.size(), 1u);
}

TEST_F(BrowserPageFetchTest, NeverShowingPageAsksAfterPoll101AndNoSkipsTheSentence) {
  never_show_sentence();
  window.answers = {MessageAnswer::no};

  EXPECT_EQ(fetch_page("中文句子"), loading_page(101));
  EXPECT_EQ(window.browser_reads, 101);
  // Sent again at polls 10, 20, ..., 100.
  EXPECT_EQ(window.browser_navigations, std::vector<std::string>(11, kUrl));
  ASSERT_EQ(window.messages.size(), 1u);
  const Message& prompt = window.messages[0];
  EXPECT_EQ(prompt.text, gbk("浏览器模式下访问，已经超时100秒，请问如何操作？点【是】继续当前句子搜索，"
                             "点【否】跳过当前句子搜索，点【取消】将停止本次运行。"));
  EXPECT_EQ(prompt.caption, gbk("信息："));
  EXPECT_EQ(prompt.buttons, MessageButtons::yes_no_cancel);
  EXPECT_FALSE(prompt.system_modal);
  EXPECT_FALSE(stop);
}

TEST_F(BrowserPageFetchTest, YesCountsThePollsAgainFromZero) {
  never_show_sentence();
  window.answers = {MessageAnswer::yes, MessageAnswer::no};

  EXPECT_EQ(fetch_page("中文句子"), loading_page(202));
  EXPECT_EQ(window.browser_reads, 202);
  EXPECT_EQ(window.messages.size(), 2u);
  EXPECT_EQ(window.browser_navigations.size(), 21u);
  EXPECT_FALSE(stop);
}

TEST_F(BrowserPageFetchTest, CancelStopsTheRunWithTheLastPage) {
  never_show_sentence();
  window.answers = {MessageAnswer::cancel};

  EXPECT_EQ(fetch_page("中文句子"), loading_page(101));
  EXPECT_TRUE(stop);
  EXPECT_EQ(window.messages.size(), 1u);
}

TEST_F(BrowserPageFetchTest, StopDuringAPollEndsTheFetchBeforeTheNextRead) {
  window.browser_document = [this](const std::string&) {
    if (window.browser_reads == 3) stop = true;
    return loading_page(window.browser_reads);
  };
  EXPECT_EQ(fetch_page("中文句子"), loading_page(3));
  EXPECT_EQ(window.browser_reads, 3);
  EXPECT_TRUE(window.messages.empty());
}

TEST_F(BrowserPageFetchTest, StopClickDuringTheWaitEndsTheFetchBeforeTheNextRead) {
  show_page_from_read(1000, "never");
  window.on_events = [this] {
    if (window.browser_reads == 2) stop = true;
  };
  EXPECT_EQ(fetch_page("中文句子"), loading_page(2));
  EXPECT_EQ(window.browser_reads, 2);
}

TEST(BrowserPageFetch, WaitsAreNotCutByAStop) {
  FakeWindow window;
  bool stop = true;
  BrowserPageFetch fetch{window, stop, 50};
  EXPECT_EQ(fetch.fetch_page_browser(kUrl, gbk("中文句子"), *engine_at(0)).text, "");
  // The first wait ran all its five slices although the run was already stopping.
  EXPECT_EQ(window.event_rounds, 5);
  EXPECT_EQ(window.browser_navigations.size(), 1u);
  EXPECT_EQ(window.browser_reads, 0);
}

TEST(BrowserPageFetch, AddressIsSentAsTheHttpFetchWouldRequestIt) {
  FakeWindow window;
  bool stop = true;
  BrowserPageFetch fetch{window, stop, 10};
  fetch.fetch_page_browser(gbk("http://www.google.com/search?q=中 文"), gbk("中 文"), *engine_at(3));
  EXPECT_EQ(window.browser_navigations,
            std::vector<std::string>{"http://www.google.com/search?q=%E4%B8%AD%20%E6%96%87"});
}

TEST(FirstChars, CountsGbkCharactersAndCrLfPairsAsOne) {
  EXPECT_EQ(first_chars(gbk("一二三四五"), 3), gbk("一二三"));
  EXPECT_EQ(first_chars(gbk("ab中文cd"), 3), gbk("ab中"));
  EXPECT_EQ(first_chars("a\r\nbc", 2), "a\r\n");
  // A lone line feed is half a character.
  EXPECT_EQ(first_chars("a\nbc", 2), "a\nb");
}

TEST(FirstChars, ShortTextComesWholeAndZeroGivesNothing) {
  EXPECT_EQ(first_chars(gbk("一二三"), 30), gbk("一二三"));
  EXPECT_EQ(first_chars(gbk("一二三"), 3), gbk("一二三"));
  EXPECT_EQ(first_chars(gbk("一二三"), 0), "");
  EXPECT_EQ(first_chars("", 5), "");
}

TEST(FirstChars, NegativeCountDropsThatManyFromTheEnd) {
  EXPECT_EQ(first_chars(gbk("一二三四五"), -2), gbk("一二三"));
  EXPECT_EQ(first_chars(gbk("ab中文"), -1), gbk("ab中"));
  EXPECT_EQ(first_chars(gbk("一二三"), -3), "");
  EXPECT_EQ(first_chars(gbk("一二三"), -7), "");
}

}  // namespace
