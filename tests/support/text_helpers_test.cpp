#include "support/text_helpers.h"

#include <gtest/gtest.h>

#include "support/gbk.h"
#include "support/text_search.h"
#include "tests/testsupport/fake_window.h"

TEST(GbkSearch, NeverStartsAMatchOnASecondByte) {
  // 0x41 ('A') is the second byte of this character and the only 'A' in the text.
  const std::string text = "x\x81\x41y";
  EXPECT_EQ(find_ignoring_ascii_case(text, "A"), std::string_view::npos);
  EXPECT_EQ(find_ignoring_ascii_case(text, "a"), std::string_view::npos);
  EXPECT_EQ(find_exact("\x81\x41"
                       "A",
                       "A"),
            2u);
  EXPECT_EQ(replace_all_exact("\x81\x41"
                              "A",
                              "A", "B"),
            "\x81\x41"
            "B");
}

TEST(GbkSearch, IgnoresCaseOfAsciiLettersOnly) {
  EXPECT_EQ(find_ignoring_ascii_case("abcDEF", "cdE"), 2u);
  EXPECT_EQ(find_ignoring_ascii_case(gbk("甲Ａ"), gbk("甲ａ")), std::string_view::npos);
  EXPECT_EQ(find_ignoring_ascii_case("ab", ""), 0u);
  // 癆 and 癮 differ only in the case of their second byte (0x41, 0x61).
  EXPECT_EQ(find_ignoring_ascii_case(gbk("癮"), gbk("癆")), std::string_view::npos);
  EXPECT_EQ(find_ignoring_ascii_case("", ""), std::string_view::npos);
}

TEST(GbkSearch, ReplaceAllExactScansLeftToRight) {
  EXPECT_EQ(replace_all_exact("aaa", "aa", "b"), "ba");
  EXPECT_EQ(replace_all_exact(gbk("一┊*┊二┊*┊"), gbk("┊*┊"), "\r\n"), gbk("一\r\n二\r\n"));
  EXPECT_EQ(replace_all_exact("abc", "", "x"), "abc");
}

TEST(ContainsAny, AnyModeNeedsOneItemAllModeNeedsEvery) {
  const std::string list = gbk("甲[fg]乙");
  EXPECT_TRUE(contains_any(gbk("乙"), list, true));
  EXPECT_FALSE(contains_any(gbk("乙"), list, false));
  EXPECT_TRUE(contains_any(gbk("乙……甲"), list, false));
  EXPECT_FALSE(contains_any(gbk("丙"), list, true));
}

TEST(ContainsAny, EmptyListsAndEmptyItems) {
  EXPECT_FALSE(contains_any("abc", "", true));
  EXPECT_TRUE(contains_any("abc", "", false));
  // An empty item before a separator is kept and found in any non-empty text.
  EXPECT_TRUE(contains_any("abc", "[fg]zzz", true));
  EXPECT_FALSE(contains_any("", "[fg]zzz", true));
  // An empty last item is dropped, so it cannot make all mode fail or any mode succeed.
  EXPECT_TRUE(contains_any("abc", "b[fg]", false));
  EXPECT_FALSE(contains_any("abc", "z[fg]", true));
  EXPECT_TRUE(contains_any("ABC", "zz[fg]bc", true));
}

TEST(HalfWidth, MapsFullWidthFormsOnly) {
  EXPECT_EQ(to_half_width(gbk("１２")), "12");
  EXPECT_EQ(to_half_width(gbk("Ａｂ！　")), "Ab! ");
  EXPECT_EQ(to_half_width("\xA1\xAB\xA1\xEE\xA1\xEF"), "~**");
  EXPECT_EQ(to_half_width(gbk("中文。")), gbk("中文。"));
  EXPECT_EQ(to_half_width("a\xA3"), "a\xA3");  // a lone lead byte at the end stays
}

TEST(SettingNumbers, WholeNumbersFromSettingText) {
  EXPECT_EQ(to_whole_number(gbk("　１０")), 10);
  EXPECT_EQ(to_whole_number("abc"), 0);
  EXPECT_EQ(to_whole_number("-3"), -3);
  EXPECT_EQ(to_whole_number(" 12ab"), 12);
  EXPECT_EQ(to_whole_number("1.9"), 1);
  EXPECT_EQ(to_whole_number("99999999999"), 2147483647);
}

TEST(SettingNumbers, DecimalNumbersInSinglePrecision) {
  EXPECT_FLOAT_EQ(to_number("1.5"), 1.5f);
  EXPECT_EQ(static_cast<int>(to_number("1.5")), 1);
  EXPECT_FLOAT_EQ(to_number(gbk("２．５秒")), 2.5f);
  EXPECT_FLOAT_EQ(to_number("-0.25"), -0.25f);
  EXPECT_EQ(to_number("x1"), 0.0f);
  EXPECT_EQ(to_number("0.1"), 0.1f);
}

TEST(FormatDecimal2, RoundsHalfUpAndDropsTrailingZeros) {
  EXPECT_EQ(format_decimal_2(1.0 / 3 * 100), "33.33");
  EXPECT_EQ(format_decimal_2(2.0 / 3 * 100), "66.67");
  EXPECT_EQ(format_decimal_2(12.5), "12.5");
  EXPECT_EQ(format_decimal_2(60), "60");
  EXPECT_EQ(format_decimal_2(0.125), "0.13");  // 12.5 hundredths round up
  EXPECT_EQ(format_decimal_2(-0.125), "-0.13");
  EXPECT_EQ(format_decimal_2(-0.001), "0");
  EXPECT_EQ(format_decimal_2(0), "0");
  EXPECT_EQ(format_decimal_2(1234567.891), "1234567.89");
}

TEST(WaitMs, StopsBeforeTheFirstSliceWhenAlreadyFlagged) {
  FakeWindow window;
  const bool stop = true;
  wait_ms(window, 500, stop);
  EXPECT_EQ(window.event_rounds, 0);
}

TEST(WaitMs, ProcessesEventsAfterEverySliceAndEndsWhenAHandlerSetsTheFlag) {
  FakeWindow window;
  bool stop = false;
  window.on_events = [&] {
    if (window.event_rounds == 3) stop = true;
  };
  wait_ms(window, 10'000, stop);
  EXPECT_EQ(window.event_rounds, 3);

  FakeWindow unflagged;
  const bool never = false;
  wait_ms(unflagged, 45, never);
  EXPECT_EQ(unflagged.event_rounds, 5);  // slices of 10 ms until their sum reaches 45
}

// The plain definition: try every character boundary in turn.
static size_t reference_find(std::string_view text, std::string_view item, bool fold_case) {
  const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
  for (size_t at = 0; at < text.size();) {
    if (text.size() - at < item.size()) break;
    bool same = true;
    for (size_t i = 0; i < item.size() && same; ++i) {
      if (static_cast<unsigned char>(item[i]) >= 0x80 && i + 1 < item.size()) {
        same = text[at + i] == item[i] && text[at + i + 1] == item[i + 1];  // a whole character
        ++i;
      } else {
        same = fold_case ? lower(text[at + i]) == lower(item[i]) : text[at + i] == item[i];
      }
    }
    if (same) return at;
    at += (static_cast<unsigned char>(text[at]) >= 0x80 && at + 1 < text.size()) ? 2 : 1;
  }
  return std::string_view::npos;
}

TEST(GbkSearch, AgreesWithTryingEveryBoundaryOnRandomText) {
  // Few distinct bytes, so matches, near misses and second-byte look-alikes are common.
  const std::string alphabet = "aAb<\xB0\x41\x61\xC8";
  unsigned seed = 12345;
  const auto next = [&] { return (seed = seed * 1103515245 + 12345) >> 16; };
  const auto random_text = [&](size_t max_length) {
    std::string text(next() % (max_length + 1), ' ');
    for (char& c : text) c = alphabet[next() % alphabet.size()];
    return text;
  };
  for (int round = 0; round < 20000; ++round) {
    const std::string text = random_text(24);
    const std::string item = random_text(4);
    if (item.empty()) continue;
    ASSERT_EQ(find_ignoring_ascii_case(text, item), reference_find(text, item, true)) << round;
    ASSERT_EQ(find_exact(text, item), reference_find(text, item, false)) << round;
  }
}
