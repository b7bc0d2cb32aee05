#pragma once

#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

struct CheckRecord;

// The folder 检测报告 beside the settings file, where every check leaves its HTML
// report and every batch its list. Nothing is written until the first report.
class ReportFolder {
 public:
  static constexpr std::string_view kFolderName = "检测报告";

  // `settings_folder`: the folder that holds 主配置.ini.
  explicit ReportFolder(const std::filesystem::path& settings_folder);

  const std::filesystem::path& path() const { return folder_; }

  // Writes the record's HTML report under a name of its date, time and title; the
  // file written, or nothing when it could not be.
  std::optional<std::filesystem::path> write_report(const CheckRecord& record) const;
  // Writes `bytes` under a new name of `time` and `title` (UTF-8) with `extension`
  // (".csv"); never over an earlier file.
  std::optional<std::filesystem::path> write_new_file(std::time_t time, std::string_view title_utf8,
                                                      std::string_view extension,
                                                      std::string_view bytes) const;
  // The report written last, if any.
  std::optional<std::filesystem::path> newest_report() const;

 private:
  std::filesystem::path folder_;
};

// A file name made of `title` (UTF-8) that is safe on every system: without
// separators, control characters, the characters Windows forbids and leading dots
// or blanks, cut at a character boundary to at most `max_bytes`. "无标题" when
// nothing is left.
std::string safe_file_name(std::string_view title_utf8, size_t max_bytes = 120);
