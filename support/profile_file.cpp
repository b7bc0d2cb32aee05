#include "support/profile_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <string>

#include "support/file_io.h"
#include "support/profile_encoded_edit.h"
#include "support/profile_encoding.h"
#include "support/profile_text.h"

namespace {

// The whole file; a missing file reads as empty. nullopt when a file that exists
// cannot be read, so that a save does not replace settings it could not see.
std::optional<std::string> read_file_or_empty(const std::filesystem::path& path) {
  std::error_code error;
  if (std::filesystem::symlink_status(path, error).type() == std::filesystem::file_type::not_found) return "";
  return read_whole_file(path);
}

std::string_view skip_leading_controls(std::string_view text) {
  size_t at = 0;
  while (at < text.size() && static_cast<unsigned char>(text[at]) <= 32) ++at;
  return text.substr(at);
}

// At most the limit's worth of bytes, never ending on the first byte of a
// double-byte character.
std::string cut_to_limit(std::string_view value) {
  size_t end = 0;
  while (end < value.size()) {
    const size_t next =
        static_cast<unsigned char>(value[end]) >= 0x80 && end + 1 < value.size() ? end + 2 : end + 1;
    if (next > kProfileValueLimit) break;
    end = next;
  }
  return std::string(value.substr(0, end));
}

// The file a link leads to, so that a save updates it and keeps the link; the
// path itself when it is no link.
std::filesystem::path file_behind_links(const std::filesystem::path& file) {
  std::error_code error;
  if (!std::filesystem::is_symlink(file, error)) return file;
  std::filesystem::path target = std::filesystem::weakly_canonical(file, error);
  return error ? file : target;
}

// What the failed call before reported; a failure that left errno unset still fails.
ProfileWrite system_failure() {
  return {std::error_code(errno != 0 ? errno : EIO, std::system_category())};
}

}  // namespace

std::string read_profile_string(const std::filesystem::path& file, std::string_view section,
                                std::string_view key, std::string_view default_value) {
  section = skip_leading_controls(section);
  key = skip_leading_controls(key);
  if (skip_leading_controls(file.native()).empty() || section.empty() || key.empty()) return {};
  const std::optional<std::string> bytes = read_file_or_empty(file);
  const std::optional<std::string> value =
      bytes ? find_profile_value(gbk_profile_text(*bytes, profile_encoding_of(*bytes)), section, key)
            : std::nullopt;
  return cut_to_limit(value ? *value : default_value);
}

bool profile_has_section(const std::filesystem::path& file, std::string_view section) {
  const std::optional<std::string> bytes = read_file_or_empty(file);
  return bytes && has_profile_section(gbk_profile_text(*bytes, profile_encoding_of(*bytes)), section);
}

ProfileWrite write_profile_strings(const std::filesystem::path& file, std::span<const ProfileEntry> entries) {
  if (file.empty()) return {std::make_error_code(std::errc::invalid_argument)};
  for (const ProfileEntry& entry : entries) {
    if (!is_writable_profile_entry(entry.section, entry.key, entry.value))
      return {std::make_error_code(std::errc::invalid_argument)};
  }
  errno = 0;
  const std::optional<std::string> old_bytes = read_file_or_empty(file);
  // A pipe or a device in the file's place is said as such (a folder is EISDIR).
  if (!old_bytes && errno == EINVAL) return {std::make_error_code(std::errc::not_supported)};
  if (!old_bytes) return system_failure();
  // Kept in the encoding it was found in, so that another editor still reads it.
  const ProfileEncoding encoding = profile_encoding_of(*old_bytes);
  std::string new_bytes = *old_bytes;
  for (const ProfileEntry& entry : entries) {
    new_bytes = with_encoded_profile_value(new_bytes, encoding, entry.section, entry.key, entry.value);
  }
  if (new_bytes == *old_bytes) return {};  // already stored
  // A file the user made read-only stays as it is, as Windows would leave it.
  // Asked as the user the program runs as, which a set-user-ID start may make another.
  const std::filesystem::path target = file_behind_links(file);
  if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0 && errno != ENOENT) return system_failure();
  errno = 0;
  if (!replace_file_atomically(target, new_bytes)) return system_failure();
  return {};
}

ProfileWrite write_profile_string(const std::filesystem::path& file, std::string_view section,
                                  std::string_view key, std::string_view value) {
  const ProfileEntry entry{std::string(section), std::string(key), std::string(value)};
  return write_profile_strings(file, std::span(&entry, 1));
}
