#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "check/verdict_confidence.h"

// One file of a batch as the batch's list (a CSV file) records it.
struct BatchListRow {
  std::filesystem::path file;  // native bytes
  // 原创, 标题已收录, 内容已收录, 无法读取 or 已停止 (UTF-8)
  std::string_view verdict;
  int searched = 0;
  int indexed = 0;
  // the deciding rate, UTF-8: "未收录率 83.33%"; for an unreadable file, why
  // its bytes are no text
  std::string rate{};
  std::filesystem::path copy{};  // where the copy of an original went; empty if none
  bool source_deleted = false;
  std::filesystem::path report{};  // the file's HTML report; empty if none was written
  // How sure the verdict is; none when no content sentence was answered.
  std::optional<VerdictConfidence> confidence{};
  int queries = 0;                 // questions sent to the engine, the title's included
  int cached = 0;                  // answers taken from the cache instead
};

// The list's first bytes: a UTF-8 byte-order mark, so that spreadsheet programs read
// the Chinese right, and the header line.
std::string batch_list_head();

// One CSV line (CRLF-ended) for a file. A cell is quoted when it holds a comma, a
// quote or a line break; a cell that begins with =, +, - or @ gets a leading
// apostrophe, so that a spreadsheet shows it rather than runs it.
std::string batch_list_line(const BatchListRow& row);

// One cell as batch_list_line writes it.
std::string csv_cell(std::string_view text_utf8);
