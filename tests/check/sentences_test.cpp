#include "check/sentences.h"

#include <gtest/gtest.h>

#include <vector>

#include "check/text_expressions.h"
#include "support/gbk.h"
#include "tests/testsupport/fake_window.h"

namespace {

class SplitTest : public ::testing::Test {
 protected:
  SplitTest() {
    build_cleaning_expression(window, expressions);
    prepare_window_expressions(expressions);
  }

  std::vector<std::string> pieces(std::string_view utf8) const {
    std::vector<std::string> result;
    for (const std::string& piece : split_sentences(expressions.delimiter, gbk(utf8))) {
      result.push_back(utf8_from_gbk(piece));
    }
    return result;
  }

  FakeWindow window;
  TextExpressions expressions;
};

using Pieces = std::vector<std::string>;

TEST_F(SplitTest, EveryDelimiterCutsAndEmptyPiecesStay) {
  EXPECT_EQ(pieces("第一句，第二句。第三句"), (Pieces{"第一句", "第二句", "第三句"}));
  EXPECT_EQ(pieces("甲，，乙"), (Pieces{"甲", "", "乙"}));
  EXPECT_EQ(pieces("，甲"), (Pieces{"", "甲"}));
  EXPECT_EQ(pieces("甲。"), (Pieces{"甲"}));
  EXPECT_EQ(pieces("一；二;三,四?五!六？七！八~九\r\n十"),
            (Pieces{"一", "二", "三", "四", "五", "六", "七", "八", "九", "十"}));
  EXPECT_EQ(pieces("没有分隔"), (Pieces{"没有分隔"}));
  EXPECT_EQ(pieces(""), Pieces{});
  EXPECT_EQ(pieces("。。"), (Pieces{"", ""}));
}

TEST_F(SplitTest, TwoBlanksCutOneDoesNot) {
  EXPECT_EQ(pieces("a b"), (Pieces{"a b"}));
  EXPECT_EQ(pieces("a  b"), (Pieces{"a", "b"}));
  EXPECT_EQ(pieces("甲 　乙　丙"), (Pieces{"甲", "乙　丙"}));
  // Neither a lone line feed nor the ASCII full stop or the colon cut.
  EXPECT_EQ(pieces("甲\n乙.丙:丁"), (Pieces{"甲\n乙.丙:丁"}));
}

TEST_F(SplitTest, EllipsesCutOncePerPairOrSingle) {
  EXPECT_EQ(pieces("甲……乙"), (Pieces{"甲", "乙"}));
  EXPECT_EQ(pieces("甲…乙"), (Pieces{"甲", "乙"}));
  EXPECT_EQ(pieces("甲………乙"), (Pieces{"甲", "", "乙"}));
}

TEST_F(SplitTest, TheMarkerCutsOnlyAtCharacterBoundaries) {
  EXPECT_EQ(pieces("甲⊥乙"), (Pieces{"甲", "乙"}));
  // 啊 ends in 0xA1 and 通 starts with 0xCD: the marker's bytes across two characters.
  ASSERT_EQ(gbk("啊通"), "\xB0\xA1\xCD\xA8");
  EXPECT_EQ(pieces("啊通"), (Pieces{"啊通"}));
}

TEST_F(SplitTest, TrimTakesBlanksAtEveryLineEnd) {
  const auto trimmed = [this](std::string_view utf8) {
    return utf8_from_gbk(trim_blanks(expressions.trim, gbk(utf8)));
  };
  EXPECT_EQ(trimmed("　 \t甲 乙\t　"), "甲 乙");
  EXPECT_EQ(trimmed(" 甲 \n　乙　"), "甲\n乙");
  EXPECT_EQ(trimmed(" \t　"), "");
  EXPECT_EQ(trimmed("甲 乙"), "甲 乙");
  EXPECT_EQ(trimmed("甲\r乙 "), "甲\r乙");
}

TEST(CountChars, AsciiCountsOneOtherBytesOnePerPair) {
  EXPECT_EQ(count_chars(gbk("原创abc")), 5);
  EXPECT_EQ(count_chars(gbk("九个汉字的一个句子啊")), 10);
  EXPECT_EQ(count_chars(gbk("九个汉字的一个句子")), 9);
  EXPECT_EQ(count_chars("a\r\nb"), 3);
  EXPECT_EQ(count_chars("a\nb"), 2);
  EXPECT_EQ(count_chars(""), 0);
  // The second byte of 丂 is ASCII: it counts one and leaves the
  // pairing open, so the next such character counts two.
  ASSERT_EQ(gbk("丂"), "\x81\x40");
  EXPECT_EQ(count_chars(gbk("丂")), 1);
  EXPECT_EQ(count_chars(gbk("丂丂")), 3);
}

TEST(SentenceCountForVerdict, TheRequestLoweredToThePieces) {
  EXPECT_EQ(sentence_count_for_verdict(10, 4), 4);
  EXPECT_EQ(sentence_count_for_verdict(3, 4), 3);
  EXPECT_EQ(sentence_count_for_verdict(0, 4), 0);
  EXPECT_EQ(sentence_count_for_verdict(-2, 4), -2);
  EXPECT_EQ(sentence_count_for_verdict(5, 0), 0);
}

}  // namespace
