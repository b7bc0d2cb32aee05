#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A regular expression over GBK text, with the pattern language, options and
// replacement rules of VBScript's RegExp object, run by PCRE2.
//
// Text and patterns are converted to UTF-8 for the engine, so matching works on
// characters: a double-byte character is one character for classes, quantifiers
// and the dot. As in VBScript, \d, \w, \s and \b know ASCII only (\s is tab to
// carriage return and space, not the full-width space); a line ends at CR, LF or
// CR LF; the dot matches no line break.
//
// Failure is silent: a pattern the engine rejects, or a match the engine gives up
// on, makes regex_replace return empty text and the match operations 0 or false.
//
// An object serves one thread at a time: even its const operations use its
// compiled pattern's match space.
class RegexObject {
 public:
  // Bits of options().
  static constexpr uint32_t kIgnoreCase = 1;
  static constexpr uint32_t kMultiline = 2;
  static constexpr uint32_t kGlobal = 4;

  // Starts with the empty pattern and every option off.
  RegexObject();
  ~RegexObject();
  RegexObject(const RegexObject& other);
  RegexObject& operator=(const RegexObject& other);
  RegexObject(RegexObject&& other) noexcept;
  RegexObject& operator=(RegexObject&& other) noexcept;

  // Applies a pattern and options; each flag left out turns its option on. The same
  // pattern with the same options again costs nothing. An empty pattern keeps the
  // current pattern and changes only the options. Always returns true: a pattern the
  // engine rejects shows up as the failure of the operations that use it.
  bool set_pattern(std::string_view pattern, bool case_sensitive = false, bool single_line = false,
                   bool local_only = false);
  // The same with positive flags.
  bool set_pattern_positive(std::string_view pattern, bool ignore_case = true, bool multi_line = true,
                            bool global_match = true);

  // The subject with the first match, or with Global every match, replaced by the
  // expanded replacement (see ReplacementTemplate); the text between matches keeps
  // its bytes, even those that are no GBK. Empty text on failure.
  std::string regex_replace(std::string_view subject, std::string_view replacement) const;
  // The same after applying `pattern` and its flags as set_pattern does.
  std::string regex_replace(std::string_view subject, std::string_view replacement, std::string_view pattern,
                            bool case_sensitive = false, bool single_line = false, bool local_only = false);

  // Finds the first match, or with Global every match, keeps them for the accessors
  // below (dropping the ones kept before) and returns how many there are.
  int execute_matches(std::string_view subject);
  // set_pattern, then execute_matches.
  int set_and_execute(std::string_view pattern, std::string_view subject, bool case_sensitive = false,
                      bool single_line = false, bool local_only = false);
  // True when the subject holds a match.
  bool test_match(std::string_view subject) const;

  // Accessors of the kept matches. Indexes are 1-based; a group index below 1 means
  // the whole match.
  int match_count() const;
  // Number of groups in the first kept match; 0 when none is kept.
  int group_count() const;
  // The text of a match or group; nothing when either does not exist or the group
  // took no part in the match.
  std::optional<std::string> match_value(int match_index, int group_index = 0) const;
  std::string match_text(int match_index, int group_index = 0) const {
    return match_value(match_index, group_index).value_or(std::string());
  }
  // Length of a match or group in characters, and in GBK bytes.
  int match_length(int match_index, int group_index = 0) const;
  int match_length_bytes(int match_index, int group_index = 0) const;

  std::string stored_pattern() const { return pattern_; }
  uint32_t options() const { return options_; }
  // How many times this object has compiled a pattern.
  int compilations() const { return compilations_; }

 private:
  class CompiledPattern;
  struct KeptMatches {
    std::string subject;  // UTF-8
    int group_count = 0;
    // Start and end offsets in `subject` of each match and then of each of its
    // groups, (group_count + 1) * 2 per match.
    std::vector<size_t> offsets;
  };

  void compile();
  // The UTF-8 text of a kept match or group, or nothing.
  std::optional<std::string_view> kept_text(int match_index, int group_index) const;

  std::unique_ptr<CompiledPattern> compiled_;  // null when the pattern was rejected
  KeptMatches kept_;
  uint32_t options_ = 0;
  std::string pattern_;
  int compilations_ = 0;
};
