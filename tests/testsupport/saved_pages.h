#pragma once

#include <filesystem>
#include <ostream>
#include <string_view>

// The saved real result pages; tests that read them skip when the folder is absent.
inline const std::filesystem::path kSavedPagesFolder = SHARED_FIXTURES_DIR "/pages";

// A saved page an engine sends a program like this one instead of results, and
// what the one box (or line) that ends the run must say (UTF-8).
struct RobotPage {
  std::string_view file;
  int engine_index;
  std::string_view message;
};

// Baidu's without the automatic wait: its captcha prompt.
inline constexpr RobotPage kRobotPages[] = {
    {"baidu-2026-1.html", 0, "程序检测到百度似乎出现了验证码"},
    {"google-2025-1.html", 3, "谷歌现在只向能运行网页脚本的浏览器返回结果，请勾选浏览器模式检测后再试"},
    {"bing-2026-2.html", 5, "搜索引擎“必应”要求进行验证"},
};

inline void PrintTo(const RobotPage& page, std::ostream* out) {
  *out << page.file;
}
