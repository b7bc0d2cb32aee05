#include "batch/batch_list.h"

#include <vector>

#include "batch/batch_paths.h"

namespace {

std::string path_text(const std::filesystem::path& path) {
  return utf8_from_native(path.native());
}

std::string csv_line(const std::vector<std::string>& cells) {
  std::string line;
  for (const std::string& cell : cells) {
    if (!line.empty()) line += ',';
    line += csv_cell(cell);
  }
  return line + "\r\n";
}

// Empty when there is no interval to be sure of.
std::string stable_cell(const std::optional<VerdictConfidence>& confidence) {
  if (!confidence) return {};
  return confidence->stable ? "是" : "否";
}

}  // namespace

std::string csv_cell(std::string_view text_utf8) {
  std::string cell(text_utf8);
  if (!cell.empty() && std::string_view("=+-@").find(cell.front()) != std::string_view::npos)
    cell.insert(cell.begin(), '\'');
  if (cell.find_first_of(",\"\r\n") == std::string::npos) return cell;
  std::string quoted = "\"";
  for (const char c : cell) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

std::string batch_list_head() {
  return "\xEF\xBB\xBF" + csv_line({"文件", "结果", "检测句数", "收录句数", "判断依据", "原创副本",
                                    "已删除原文件", "检测报告", "置信区间", "结论稳定",
                                    "查询次数", "缓存结果"});
}

std::string batch_list_line(const BatchListRow& row) {
  return csv_line({path_text(row.file), std::string(row.verdict), std::to_string(row.searched),
                   std::to_string(row.indexed), row.rate, path_text(row.copy),
                   row.source_deleted ? "是" : "否", path_text(row.report.filename()),
                   row.confidence ? row.confidence->range_text() : "", stable_cell(row.confidence),
                   std::to_string(row.queries), std::to_string(row.cached)});
}
