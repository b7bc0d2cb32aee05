#pragma once

#include <cstddef>
#include <string_view>

// Lengths in a text converted by utf8_from_gbk, measured in the GBK bytes they
// came from. RegexObject maps the engine's UTF-8 offsets back onto the caller's
// GBK text with it, so the text between matches is copied as it was instead of
// being converted back.
class GbkLengths {
 public:
  // `utf8` is utf8_from_gbk(gbk); neither is kept.
  GbkLengths(std::string_view gbk, std::string_view utf8);

  // The GBK length of `run`, a part of the converted text that starts and ends at
  // character boundaries.
  size_t of(std::string_view run) const;

 private:
  bool every_character_outside_ascii_is_a_pair_;
};
