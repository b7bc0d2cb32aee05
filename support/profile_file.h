#pragma once

#include <cstddef>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <system_error>

// Reading and writing keys of a profile (INI) file in GBK, as the Windows
// profile-string functions do (the format is described in profile_text.h). The
// file is never held open between calls.

// The longest value a read returns: the Windows read fills a 10240-byte buffer.
inline constexpr size_t kProfileValueLimit = 10239;

// The value of `key` in `section`, or `default_value` when the file, the section
// or the key is missing or the file cannot be read. A value longer than the limit
// is cut there, or one byte earlier so that no half character remains. When the
// file name, the section or the key is empty after leading bytes up to 32
// (blanks, control characters), the result is empty text, not the default.
std::string read_profile_string(const std::filesystem::path& file, std::string_view section,
                                std::string_view key, std::string_view default_value);

// True when the file can be read and has a section of that name.
bool profile_has_section(const std::filesystem::path& file, std::string_view section);

// The outcome of a write: why it was not written, if it was not. The
// system's error for the file (errno), std::errc::not_supported when something
// other than a file or folder (a pipe, a device) holds its name, or
// std::errc::invalid_argument when the entry cannot be written as one line that
// reads back (is_writable_profile_entry).
struct ProfileWrite {
  std::error_code error;
  bool written() const { return !error; }
};

// One key to set: `key` in `section` to `value` (verbatim).
struct ProfileEntry {
  std::string section;
  std::string key;
  std::string value;
};

// Sets every entry, in order, creating the file, the sections or the keys as
// needed, in one replacement of the file: the new file is written beside the old
// one, flushed and renamed over it, so a failed save leaves the old file as it
// was and no save is ever seen half done. The file keeps its encoding
// (profile_encoding.h) and its permissions, a link stays a link to a file that is
// replaced, and every line no entry writes keeps its bytes. Nothing is written
// when the file could not be read or replaced, or when an entry cannot be written.
ProfileWrite write_profile_strings(const std::filesystem::path& file, std::span<const ProfileEntry> entries);

// write_profile_strings of the one entry.
ProfileWrite write_profile_string(const std::filesystem::path& file, std::string_view section,
                                  std::string_view key, std::string_view value);
