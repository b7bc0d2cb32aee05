#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "batch/file_encoding.h"

// Article files as GBK text.

// The article text that a file's bytes hold, read in `encoding`, or in the
// encoding recognised from the bytes when that is automatic. A leading "?"
// (the trace of a byte-order mark) is removed.
std::string text_from_file_bytes(std::string_view bytes, FileEncoding encoding);

// The article text of the file at `path`, or nothing when the file cannot be
// read (missing, no access, a folder), which the batch must tell from an empty
// article.
std::optional<std::string> read_text_file(const std::filesystem::path& path, FileEncoding encoding);

// read_text_file with an unreadable file read as empty text.
std::string load_text_file(const std::filesystem::path& path, FileEncoding encoding);
