#include "cli/progress_output.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>

#include "support/gbk.h"

namespace {

constexpr int kFallbackColumns = 80;

int terminal_columns(std::FILE* stream) {
  winsize size{};
  if (ioctl(fileno(stream), TIOCGWINSZ, &size) != 0 || size.ws_col == 0) return kFallbackColumns;
  return size.ws_col;
}

// The longest start of `text` that fits in `columns`, counting every character
// beyond ASCII as two columns wide (the Chinese ones are), so the live line never
// wraps and can be rewritten with a carriage return.
std::string_view fitting_start(std::string_view text, int columns) {
  int used = 0;
  for (size_t i = 0; i < text.size();) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    const size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    used += lead < 0x80 ? 1 : 2;
    if (used >= columns) return text.substr(0, i);
    i += length;
  }
  return text;
}

// The first line of a text: the live line shows no line breaks.
std::string_view first_line(std::string_view text) {
  return text.substr(0, text.find('\n'));
}

// File names are shown here: one with an escape sequence must not work the
// terminal, so every control character but the line break and the tab is a "?".
std::string without_controls(std::string_view text) {
  std::string shown(text);
  std::ranges::replace_if(
      shown,
      [](char c) { return (static_cast<unsigned char>(c) < 0x20 && c != '\n' && c != '\t') || c == 0x7F; },
      '?');
  return shown;
}

}  // namespace

ProgressOutput::ProgressOutput(std::FILE* stream, bool show_progress)
    : stream_(stream), show_progress_(show_progress), live_(isatty(fileno(stream)) == 1) {}

void ProgressOutput::show(std::string_view text) {
  if (!show_progress_ || text.empty() || text == last_text_) return;
  last_text_ = text;
  const std::string shown = without_controls(text);
  if (live_) {
    std::fprintf(stream_, "\r\033[K%.*s",
                 static_cast<int>(fitting_start(first_line(shown), terminal_columns(stream_)).size()),
                 shown.data());
    line_shown_ = true;
  } else {
    std::fprintf(stream_, "%.*s\n", static_cast<int>(shown.size()), shown.data());
  }
  std::fflush(stream_);
}

void ProgressOutput::warn(std::string_view text) {
  clear();
  const std::string shown = without_controls(text);
  std::fprintf(stream_, "%.*s\n", static_cast<int>(shown.size()), shown.data());
  std::fflush(stream_);
}

void ProgressOutput::clear() {
  if (!line_shown_) return;
  std::fputs("\r\033[K", stream_);
  std::fflush(stream_);
  line_shown_ = false;
  last_text_.clear();
}

std::string terminal_text(std::string_view gbk_text) {
  std::string text = utf8_from_gbk(gbk_text);
  std::erase(text, '\r');
  return text;
}
