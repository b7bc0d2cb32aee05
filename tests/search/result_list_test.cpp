#include "search/result_list.h"

#include <gtest/gtest.h>

#include "search/baidu_block.h"
#include "search/engine_table.h"
#include "search/fetched_page.h"
#include "support/gbk.h"

namespace {

TEST(CutRegion, TakesTheTextBetweenTheFirstStartAndTheNextEndIgnoringCase) {
  EXPECT_EQ(cut_region("x<DIV ID=\"a\">one</div>two</div>", "<div id=''a''>", "</div>"), "one");
  EXPECT_EQ(cut_region("</b>x<b>y</b>", "<b>", "</b>"), "y");
  EXPECT_EQ(cut_region("<b>no end", "<b>", "</b>"), "");
}

TEST(CutRegion, RetriesWithoutQuotesWhenTheCutIsEmpty) {
  EXPECT_EQ(cut_region("<div id=a>bare</div>", "<div id=''a''>", "</div>"), "bare");
  EXPECT_EQ(cut_region("<div id=\"a\"></div><div id=a>second</div>", "<div id=''a''>", "</div>"), "second");
}

TEST(CutRegion, DoesNotStartAMatchOnTheSecondByteOfACharacter) {
  // "[" (0x5B) is also a GBK trail byte: the first "[b]" here is not a marker.
  EXPECT_EQ(cut_region("\x81[b]A[b]B[b]", "[b]", "[b]"), "B");
}

TEST(CutResultList, BaiduTriesItsEndMarkersInTurn) {
  const Engine& baidu = *engine_at(0);
  EXPECT_EQ(cut_result_list(baidu, "<div id=\"content_left\">A</div><p id=\"page\" >"), "A</div>");
  EXPECT_EQ(cut_result_list(baidu, "<div id=\"content_left\">B</div><p id=\"page\">"), "B</div>");
  EXPECT_EQ(cut_result_list(baidu, "<div id=\"content_left\">C</div><div id=\"page\" >"), "C</div>");
  EXPECT_EQ(cut_result_list(baidu, "<div id=\"content_left\">D</div><div id=\"page\">"), "D</div>");
  EXPECT_EQ(cut_result_list(baidu, "<div id=content_left>E</div><p id=page >"), "E</div>");
  EXPECT_EQ(cut_result_list(baidu, "<div id=\"content_left\">no end"), std::nullopt);
}

TEST(CutResultList, SosoListRunsToThePageEndWithoutItsCloseAndGetsATagOpener) {
  const Engine& soso = *engine_at(2);
  EXPECT_EQ(cut_result_list(soso, "<ol  ><li class=\"g\">A</li></ol>tail"), "< class=\"g\">A</li>");
  EXPECT_EQ(cut_result_list(soso, "<ol><li>B</li></ol>"), "<>B</li>");
  EXPECT_EQ(cut_result_list(soso, "<ol  ><li>C</li><div>rest"), "<>C</li><div>rest");
  EXPECT_EQ(cut_result_list(soso, "<p>no list</p>"), std::nullopt);
}

TEST(CutResultList, TodaysLayoutsAreCutByTheAddedPairs) {
  EXPECT_EQ(cut_result_list(*engine_at(1), "<ul class=\"result\"><li>A</li></ul><div id=\"page\">"),
            "<li>A</li></ul>");
  EXPECT_EQ(cut_result_list(*engine_at(3), "<div id=\"rso\">B</div><div id=\"botstuff\">"), ">B</div><div ");
  EXPECT_EQ(cut_result_list(*engine_at(4),
                            "<div class=\"results\">C</div><div class=\"p\" id=\"pagebar_container\">"),
            "C</div>");
  EXPECT_EQ(cut_result_list(*engine_at(4), "<div class=\"results\" >D<table id=\"hint_container\">"), "D");
}

TEST(CutResultList, OriginalPairStaysFirst) {
  // Both Google layouts on one page: the original list wins.
  const std::string page =
      "<div id=\"ires\"><ol>old</ol></div><div id=\"rso\">new</div><div id=\"botstuff\">";
  EXPECT_EQ(cut_result_list(*engine_at(3), page), "<ol>old");
}

TEST(BaiduBlockPage, IsRecognisedByTitleOrByTheCaptchaAddress) {
  const auto blocked = [](std::string text, std::string final_url = "http://www.baidu.com/s?wd=1") {
    return is_baidu_block_page(FetchedPage{.text = std::move(text), .final_url = std::move(final_url)});
  };
  EXPECT_TRUE(blocked(gbk("<html><title>百度--您的访问出错了</title>")));
  EXPECT_FALSE(blocked(gbk("<html><TITLE>百度--您的访问出错了</TITLE>")));
  EXPECT_TRUE(blocked(gbk("<head><title>百度安全验证</title></head>")));
  EXPECT_TRUE(blocked("<head><title>百度安全验证</title></head>"));  // undeclared UTF-8
  EXPECT_FALSE(blocked(gbk("<body>百度安全验证</body>")));
  EXPECT_TRUE(blocked("", "https://wappass.baidu.com/static/x"));
  EXPECT_TRUE(blocked("", "http://WAPPASS.baidu.com:80"));
  EXPECT_TRUE(blocked("", "http://www.baidu.com/captcha/a"));
  EXPECT_FALSE(blocked(gbk("<title>number_百度搜索</title>")));
}

}  // namespace
