#include "cli/run_report.h"

#include <nlohmann/json.hpp>
#include <string>

#include "batch/batch_list.h"
#include "support/file_io.h"

namespace {

std::string csv_text(const std::vector<BatchListRow>& rows) {
  std::string text = batch_list_head();
  for (const BatchListRow& row : rows) text += batch_list_line(row);
  return text;
}

std::string json_text(const std::vector<BatchListRow>& rows) {
  nlohmann::json list = nlohmann::json::array();
  for (const BatchListRow& row : rows) {
    list.push_back({{"file", row.file.native()},
                    {"verdict", row.verdict},
                    {"searched", row.searched},
                    {"indexed", row.indexed},
                    {"rate", row.rate},
                    {"copy", row.copy.native()},
                    {"deleted", row.source_deleted},
                    {"report", row.report.filename().native()}});
  }
  // A file name that is not UTF-8 is written with U+FFFD rather than failing.
  return list.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + '\n';
}

}  // namespace

bool write_run_report(const std::filesystem::path& file, ReportFormat format,
                      const std::vector<BatchListRow>& rows) {
  return replace_file_atomically(file, format == ReportFormat::csv ? csv_text(rows) : json_text(rows));
}
