#include <gtest/gtest.h>

#include "cli/progress_output.h"
#include "support/gbk.h"

namespace {

struct TerminalCase {
  std::string_view text;  // UTF-8, converted to GBK as the core holds it
  std::string_view shown;
};

// File names and article text reach the terminal; none of their control
// characters may reach it as a command (clear the screen, set the title, ...).
TEST(TerminalText, ControlCharactersAreShownNotObeyed) {
  const TerminalCase cases[] = {
      {"文件\x1b[2J名", "文件?[2J名"}, {"\x1b]0;title\x07", "?]0;title?"}, {"del\x7f", "del?"},
      {"两行\r\n文字", "两行\n文字"},  {"普通的文字", "普通的文字"},
  };
  for (const TerminalCase& c : cases) EXPECT_EQ(terminal_text(gbk(c.text)), c.shown) << c.text;
}

}  // namespace
