#include "cli/run_report.h"

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "batch/batch_list.h"
#include "batch/batch_paths.h"
#include "support/file_io.h"

namespace {

// The interval in whole percent, or null when no content sentence was answered.
nlohmann::json interval_json(const std::optional<VerdictConfidence>& confidence) {
  if (!confidence) return nullptr;
  return {{"low", confidence->low_percent}, {"high", confidence->high_percent}};
}

std::string csv_text(const std::vector<BatchListRow>& rows) {
  std::string text = batch_list_head();
  for (const BatchListRow& row : rows) text += batch_list_line(row);
  return text;
}

std::string json_text(const std::vector<BatchListRow>& rows) {
  nlohmann::json list = nlohmann::json::array();
  for (const BatchListRow& row : rows) {
    list.push_back({{"file", utf8_from_native(row.file.native())},
                    {"verdict", row.verdict},
                    {"searched", row.searched},
                    {"indexed", row.indexed},
                    {"rate", row.rate},
                    {"copy", utf8_from_native(row.copy.native())},
                    {"deleted", row.source_deleted},
                    {"report", utf8_from_native(row.report.filename().native())},
                    {"interval", interval_json(row.confidence)},
                    {"stable", !row.confidence || row.confidence->stable},
                    {"queries", row.queries},
                    {"cached", row.cached}});
  }
  // Names are UTF-8 by now; any byte that still is not would be written as U+FFFD rather than fail.
  return list.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + '\n';
}

}  // namespace

bool write_run_report(const std::filesystem::path& file, ReportFormat format,
                      const std::vector<BatchListRow>& rows) {
  return replace_file_atomically(file, format == ReportFormat::csv ? csv_text(rows) : json_text(rows));
}
