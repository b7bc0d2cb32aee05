#include "check/report_folder.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <system_error>

#include "check/check_record.h"
#include "check/html_report.h"
#include "support/gbk.h"
#include "support/local_time.h"

namespace {

// Bytes a name from a title may take, well inside the 255 of common file systems
// with room for the time, a number and the extension.
constexpr size_t kTitleBytes = 120;

bool is_forbidden(unsigned char c) {
  constexpr std::string_view kWindowsForbidden = "\\/:*?\"<>|";
  return c < 0x20 || c == 0x7f || kWindowsForbidden.find(static_cast<char>(c)) != std::string_view::npos;
}

// The length of the UTF-8 sequence a lead byte starts; 1 for a stray byte.
size_t sequence_length(unsigned char lead) {
  if (lead >= 0xf0) return 4;
  if (lead >= 0xe0) return 3;
  if (lead >= 0xc0) return 2;
  return 1;
}

// Written whole or not at all under a name no earlier file has; exclusive
// creation, so two checks in one second do not overwrite each other.
bool write_exclusively(const std::filesystem::path& file, std::string_view bytes) {
  std::FILE* out = std::fopen(file.c_str(), "wbx");
  if (out == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
  const bool closed = std::fclose(out) == 0;
  if (written && closed) return true;
  std::error_code ignored;
  std::filesystem::remove(file, ignored);
  return false;
}

}  // namespace

ReportFolder::ReportFolder(const std::filesystem::path& settings_folder)
    : folder_(settings_folder / std::filesystem::path(std::string(kFolderName))) {}

std::optional<std::filesystem::path> ReportFolder::write_report(const CheckRecord& record) const {
  return write_new_file(record.started, utf8_from_gbk(record.title), ".html", html_report(record));
}

std::optional<std::filesystem::path> ReportFolder::write_new_file(std::time_t time,
                                                                  std::string_view title_utf8,
                                                                  std::string_view extension,
                                                                  std::string_view bytes) const {
  std::error_code error;
  std::filesystem::create_directories(folder_, error);
  if (error) return std::nullopt;
  const std::string stem =
      local_time_text(time, "%Y%m%d-%H%M%S") + "-" + safe_file_name(title_utf8, kTitleBytes);
  constexpr int kNamesTried = 100;
  for (int number = 1; number <= kNamesTried; ++number) {
    const std::string suffix = number == 1 ? "" : "(" + std::to_string(number) + ")";
    const std::filesystem::path file = folder_ / (stem + suffix + std::string(extension));
    if (write_exclusively(file, bytes)) return file;
    if (std::filesystem::exists(file, error)) continue;
    return std::nullopt;
  }
  return std::nullopt;
}

std::optional<std::filesystem::path> ReportFolder::newest_report() const {
  std::optional<std::filesystem::path> newest;
  std::filesystem::file_time_type newest_time;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder_, error)) {
    if (entry.path().extension() != ".html" || !entry.is_regular_file(error)) continue;
    const auto time = entry.last_write_time(error);
    if (error) continue;
    // Names start with the time, so they settle a tie within the clock's step.
    if (!newest || time > newest_time ||
        (time == newest_time && entry.path().filename() > newest->filename())) {
      newest = entry.path();
      newest_time = time;
    }
  }
  return newest;
}

std::string safe_file_name(std::string_view title_utf8, size_t max_bytes) {
  std::string name;
  for (size_t i = 0; i < title_utf8.size();) {
    const auto lead = static_cast<unsigned char>(title_utf8[i]);
    const size_t length = std::min(sequence_length(lead), title_utf8.size() - i);
    if (length == 1 && is_forbidden(lead)) {
      ++i;
      continue;
    }
    // Leading dots would hide the file; leading blanks confuse.
    if (name.empty() && (lead == '.' || lead == ' ')) {
      ++i;
      continue;
    }
    if (name.size() + length > max_bytes) break;
    name.append(title_utf8.substr(i, length));
    i += length;
  }
  // Windows drops trailing dots and blanks, so a name could change under it.
  while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
  return name.empty() ? "无标题" : name;
}
