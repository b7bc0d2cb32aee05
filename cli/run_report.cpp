#include "cli/run_report.h"

#include <cmath>
#include <nlohmann/json.hpp>
#include <string>

#include "support/file_io.h"

namespace {

// A cell in quotes when it needs them; one that a spreadsheet would take for a
// formula gets a leading apostrophe, so that a file name cannot run as one.
std::string csv_cell(std::string text) {
  if (!text.empty() && std::string_view("=+-@").find(text.front()) != std::string_view::npos)
    text.insert(0, "'");
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) {
    quoted += c;
    if (c == '"') quoted += '"';
  }
  return quoted + '"';
}

std::string csv_text(const std::vector<ArticleResult>& results) {
  std::string text = "file,verdict,searched,indexed,rate\r\n";
  for (const ArticleResult& result : results) {
    text += csv_cell(result.path.native()) + ',' + result.verdict + ',' + std::to_string(result.searched) +
            ',' + std::to_string(result.indexed) + ',' + result.rate_text() + "\r\n";
  }
  return text;
}

std::string json_text(const std::vector<ArticleResult>& results) {
  nlohmann::json rows = nlohmann::json::array();
  for (const ArticleResult& result : results) {
    rows.push_back({{"file", result.path.native()},
                    {"verdict", result.verdict},
                    {"searched", result.searched},
                    {"indexed", result.indexed},
                    {"rate", std::round(result.rate() * 100) / 100}});
  }
  // A file name that is not UTF-8 is written with U+FFFD rather than failing.
  return rows.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + '\n';
}

}  // namespace

bool write_run_report(const std::filesystem::path& file, ReportFormat format,
                      const std::vector<ArticleResult>& results) {
  return replace_file_atomically(file, format == ReportFormat::csv ? csv_text(results) : json_text(results));
}
