#include "search/simplified_chinese.h"

#include <Lexicon.hpp>
#include <MarisaDict.hpp>

#include <cstdint>
#include <cstdio>
#include <string_view>
#include <vector>

#include "support/gbk.h"
#include "support/text_helpers.h"

namespace {

bool is_lead_byte(char c) {
  return static_cast<unsigned char>(c) >= 0x80;
}

uint16_t double_byte_code(char lead, char trail) {
  return static_cast<uint16_t>(static_cast<unsigned char>(lead) << 8 | static_cast<unsigned char>(trail));
}

// Indexed by a GBK character's two bytes; 0 where the character stays.
using CharacterTable = std::vector<uint16_t>;

// GB2312, the standard Simplified character set, is the region of GBK whose lead and
// trail bytes both lie in 0xA1..0xFE.
bool in_gb2312(std::string_view character) {
  const auto in_range = [](char c) {
    return static_cast<unsigned char>(c) >= 0xA1 && static_cast<unsigned char>(c) != 0xFF;
  };
  return in_range(character[0]) && in_range(character[1]);
}

// OpenCC's Traditional-to-Simplified character dictionary, reduced to the pairs of
// characters that GBK holds both of. A character GB2312 holds is itself standard
// Simplified (乾隆, 哪吒, 蒜薹) and stays as it is. Phrase conversion is left out on purpose: it
// could change the length and the wording of the searched sentence.
CharacterTable load_character_table() {
  CharacterTable table(0x10000, 0);
  FILE* file = std::fopen(OPENCC_DATA_DIR "/TSCharacters.ocd2", "rb");
  if (file == nullptr) return table;
  opencc::MarisaDictPtr dictionary;
  try {
    dictionary = opencc::MarisaDict::NewFromFile(file);
  } catch (...) {  // a damaged dictionary leaves every character as it is
  }
  std::fclose(file);
  if (!dictionary) return table;
  for (const auto& entry : *dictionary->GetLexicon()) {
    const std::string traditional = gbk_from_utf8(entry->Key());
    const std::string simplified = gbk_from_utf8(entry->GetDefault());
    if (traditional.size() != 2 || simplified.size() != 2) continue;
    if (!is_lead_byte(traditional[0]) || !is_lead_byte(simplified[0]) || in_gb2312(traditional)) continue;
    table[double_byte_code(traditional[0], traditional[1])] = double_byte_code(simplified[0], simplified[1]);
  }
  return table;
}

const CharacterTable& character_table() {
  static const CharacterTable table = load_character_table();
  return table;
}

}  // namespace

std::string to_simplified_chinese(std::string_view gbk_text) {
  const CharacterTable& table = character_table();
  std::string simplified(gbk_text);
  for (size_t at = 0; at + 1 < simplified.size(); ++at) {
    if (!is_lead_byte(simplified[at])) continue;
    if (const uint16_t code = table[double_byte_code(simplified[at], simplified[at + 1])]; code != 0) {
      simplified[at] = static_cast<char>(code >> 8);
      simplified[at + 1] = static_cast<char>(code & 0xFF);
    }
    ++at;
  }
  return simplified;
}

std::string searched_form(std::string_view gbk_sentence) {
  return to_half_width(to_simplified_chinese(gbk_sentence));
}
