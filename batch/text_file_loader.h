#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "batch/file_encoding.h"

// Article files as GBK text. Bytes that are not valid text in the encoding they
// are read in give no text at all: read as something else they would be
// searched as garbled text no engine holds, and pass for original.

// Why a file's bytes give no article text.
struct TextProblem {
  enum class Kind { not_valid, unknown_charset };
  Kind kind;
  // The encoding they were read in: "GBK", "UTF-8", "UTF-16LE", "UTF-16BE", or
  // the charset the file declares ("big5").
  std::string encoding;
  bool operator==(const TextProblem&) const = default;
};

// The words for the problem (UTF-8): "文件不是有效的 GBK 文本".
std::string text_problem_words(const TextProblem& problem);

// The article text of a file's bytes, or why there is none.
struct FileText {
  std::string text;  // GBK; empty when there is a problem
  std::optional<TextProblem> problem{};
};

// The bytes read in `encoding`, or in the encoding recognised from them when that
// is automatic: a byte-order mark; then UTF-8 declared in the HTML head or bytes
// that are UTF-8 beyond ASCII; then another charset declared there (read through
// iconv); then GBK when they are GBK text; then UTF-16 without a mark when its
// bytes show its byte order; else they are no valid GBK. A leading "?" (the trace
// of a byte-order mark) is removed.
FileText file_text_from_bytes(std::string_view bytes, FileEncoding encoding);

// The text of file_text_from_bytes; empty when the bytes are no valid text.
std::string text_from_file_bytes(std::string_view bytes, FileEncoding encoding);

// The article text of the file at `path`, or nothing when the file cannot be
// read (missing, no access, a folder), which the batch must tell from an empty
// article.
std::optional<std::string> read_text_file(const std::filesystem::path& path, FileEncoding encoding);

// read_text_file with an unreadable file read as empty text.
std::string load_text_file(const std::filesystem::path& path, FileEncoding encoding);
