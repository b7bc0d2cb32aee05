#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "support/profile_file.h"
#include "support/window.h"

// Named settings in one section of a profile (INI) file at a time, in three value
// forms, plus the state of check boxes and radio buttons stored under their
// captions. Every read and write goes to the file at once (profile_file.h),
// unless writes are held to go together.
//
// Value forms, as stored in the file:
// - text: line breaks become "┊*┊" and read back as CR LF pairs; a lone LF or CR
//   counts as a line break too, so that every text keeps to its one line;
// - number: a double in the general 13-significant-digit form ("2", "1.5", "0.1");
//   reading maps full-width digits and signs first and takes the leading number;
// - boolean: "真" or "假".
// The default of a read is put into the stored form first, so that a missing key
// reads back as the default.
//
// A write that fails says why (profile_file.h); the old file is then left as it was.
class ProfileStore {
 public:
  void open_profile(std::filesystem::path file_path, std::string_view section_name = {});
  void set_section(std::string_view section_name);

  // From hold_writes to commit_writes, writes are kept back (a write that could
  // not be written is refused at once) and then go to the file together, in one
  // replacement of it, so that a save of many keys never leaves a mix of old and
  // new values. Reads in between see the file as it was.
  void hold_writes();
  ProfileWrite commit_writes();

  ProfileWrite write_text(std::string_view key, std::string_view text);
  std::string read_text(std::string_view key, std::string_view default_text) const;

  ProfileWrite write_number(std::string_view key, double value);
  double read_number(std::string_view key, double default_value) const;

  ProfileWrite write_bool(std::string_view key, bool value);
  // True exactly when the stored text is "真".
  bool read_bool(std::string_view key, bool default_value) const;
  // True unless the stored text is "假".
  bool read_bool_lenient(std::string_view key, bool default_value) const;

  // A check box or radio button is stored under its caption, byte for byte.
  // Loading sets the control to what was read (its own state when the key is
  // missing) and returns it; a radio button's partners are the caller's business.
  ProfileWrite save_check_box(const Window& window, Control check_box);
  bool load_check_box(Window& window, Control check_box) const;
  ProfileWrite save_radio(const Window& window, Control radio);
  bool load_radio(Window& window, Control radio) const;

 private:
  std::string read_stored(std::string_view key, std::string_view stored_default) const;
  ProfileWrite write_stored(std::string_view key, std::string_view stored);

  std::filesystem::path file_path_;
  std::string section_name_;
  std::optional<std::vector<ProfileEntry>> held_writes_;
};
