#include "search/html_entities.h"

#include <charconv>
#include <cstdint>
#include <optional>

#include "support/code_points.h"
#include "support/gbk.h"

namespace {

constexpr std::pair<std::string_view, std::string_view> kNamedEntities[] = {
    {"amp", "&"},
    {"lt", "<"},
    {"gt", ">"},
    {"quot", "\""},
    {"apos", "'"},
    {"nbsp", " "},
    {"ldquo", "\xA1\xB0"},
    {"rdquo", "\xA1\xB1"},
    {"lsquo", "\xA1\xAE"},
    {"rsquo", "\xA1\xAF"},
    {"hellip", "\xA1\xAD"},
    {"mdash", "\xA1\xAA"},
    {"middot", "\xA1\xA4"},
    {"times", "\xA1\xC1"},
};

// The GBK form of a code point; nothing when GBK lacks it.
std::optional<std::string> gbk_character(char32_t code_point) {
  if (code_point == 0 || code_point > 0x10FFFF || (code_point >= 0xD800 && code_point <= 0xDFFF))
    return std::nullopt;
  std::string character = gbk_from_utf8(utf8_composing_marks(std::u32string(1, code_point)));
  if (character == "?" && code_point != U'?') return std::nullopt;
  return character;
}

// The character `reference` (the text between "&" and ";") stands for.
std::optional<std::string> referenced(std::string_view reference) {
  if (!reference.starts_with('#')) {
    for (const auto& [name, character] : kNamedEntities) {
      if (reference == name) return std::string(character);
    }
    return std::nullopt;
  }
  reference.remove_prefix(1);
  int base = 10;
  if (reference.starts_with('x') || reference.starts_with('X')) {
    reference.remove_prefix(1);
    base = 16;
  }
  std::uint32_t code_point = 0;
  const auto [end, error] =
      std::from_chars(reference.data(), reference.data() + reference.size(), code_point, base);
  if (reference.empty() || error != std::errc() || end != reference.data() + reference.size())
    return std::nullopt;
  return gbk_character(code_point);
}

}  // namespace

std::string decode_html_entities(std::string_view text) {
  // The longest reference read: "&#x10FFFF;" and the longest name fit.
  constexpr size_t kLongestReference = 10;
  std::string decoded;
  decoded.reserve(text.size());
  size_t copied = 0;
  // "&", "#" and ";" are never the second byte of a GBK character, so the bytes can
  // be scanned one by one.
  for (size_t at = text.find('&'); at != std::string_view::npos; at = text.find('&', at + 1)) {
    const size_t end = text.substr(at + 1, kLongestReference).find(';');
    if (end == std::string_view::npos) continue;
    const std::optional<std::string> character = referenced(text.substr(at + 1, end));
    if (!character) continue;
    decoded.append(text.substr(copied, at - copied)).append(*character);
    at += end + 1;
    copied = at + 1;
  }
  return decoded.append(text.substr(copied));
}
