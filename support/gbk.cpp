#include "support/gbk.h"

#include <iconv.h>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <tuple>
#include <utility>

#include "support/utf8.h"

namespace {

// The conversions run on tables filled once from iconv's GBK converter, one entry
// per GBK code and per BMP character, so the result is iconv's byte for byte at a
// fraction of the cost of calling iconv over a long article. A character whose
// conversion does not fit an entry is put to iconv when met.

class Iconv {
 public:
  Iconv(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
  ~Iconv() {
    if (handle_ != reinterpret_cast<iconv_t>(-1)) iconv_close(handle_);
  }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;

  // The conversion of the one character in `in`: at most four bytes, possibly none
  // (iconv drops a few characters); nothing when iconv refuses it or needs more
  // input.
  std::optional<std::string> convert(std::string_view in) {
    if (handle_ == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in.data());
    size_t src_left = in.size();
    char buffer[4];
    char* dst = buffer;
    size_t dst_left = sizeof(buffer);
    if (iconv(handle_, &src, &src_left, &dst, &dst_left) == static_cast<size_t>(-1) || src_left != 0) {
      return std::nullopt;
    }
    return std::string(buffer, dst);
  }

 private:
  iconv_t handle_;
};

// The UTF-8 of one GBK code: up to three bytes, then their count, which is 0 when
// iconv refuses the code and kUnusual when its UTF-8 does not fit (ask iconv).
struct Utf8Code {
  static constexpr char kUnusual = '\xFF';
  std::array<char, 4> bytes_and_length{};
  uint8_t length() const { return static_cast<uint8_t>(bytes_and_length[3]); }
  bool refused() const { return bytes_and_length[3] == 0; }
  bool unusual() const { return bytes_and_length[3] == kUnusual; }
};
constexpr Utf8Code kRefusedUtf8{};
constexpr Utf8Code kUnusualUtf8{{0, 0, 0, Utf8Code::kUnusual}};
constexpr Utf8Code kReplacementCharacter{{'\xEF', '\xBF', '\xBD', 3}};

Utf8Code pack_utf8(const std::optional<std::string>& utf8) {
  if (!utf8) return kRefusedUtf8;
  if (utf8->empty() || utf8->size() > 3) return kUnusualUtf8;
  Utf8Code code;
  std::copy(utf8->begin(), utf8->end(), code.bytes_and_length.begin());
  code.bytes_and_length[3] = static_cast<char>(utf8->size());
  return code;
}

// Writes four bytes and moves past the character's.
char* put_utf8(char* out, const Utf8Code& code) {
  std::memcpy(out, code.bytes_and_length.data(), 4);
  return out + code.length();
}

// The GBK of one character: a single byte below 0x100, else lead * 256 + trail.
using PackedGbk = uint16_t;
constexpr PackedGbk kRefusedGbk = 0xFFFF;  // no GBK code starts with 0xFF
constexpr PackedGbk kUnusualGbk = 0xFFFE;  // ask iconv
constexpr PackedGbk kQuestionMark = '?';

PackedGbk pack_gbk(const std::optional<std::string>& gbk) {
  if (!gbk) return kRefusedGbk;
  const auto byte = [&](size_t i) { return static_cast<PackedGbk>(static_cast<uint8_t>((*gbk)[i])); };
  if (gbk->size() == 1) return byte(0);
  if (gbk->size() != 2 || byte(0) == 0 || byte(0) == 0xFF) return kUnusualGbk;
  return static_cast<PackedGbk>(byte(0) << 8 | byte(1));
}

// Writes the character's one or two bytes.
char* put_gbk(char* out, PackedGbk packed) {
  if (packed < 0x100) {
    out[0] = static_cast<char>(packed);
    return out + 1;
  }
  out[0] = static_cast<char>(packed >> 8);
  out[1] = static_cast<char>(packed);
  return out + 2;
}

char* put_bytes(char* out, const std::string& bytes) {
  return std::copy(bytes.begin(), bytes.end(), out);
}

size_t write_utf8(char16_t c, char* out) {
  if (c < 0x80) {
    out[0] = static_cast<char>(c);
    return 1;
  }
  if (c < 0x800) {
    out[0] = static_cast<char>(0xC0 | (c >> 6));
    out[1] = static_cast<char>(0x80 | (c & 0x3F));
    return 2;
  }
  out[0] = static_cast<char>(0xE0 | (c >> 12));
  out[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
  out[2] = static_cast<char>(0x80 | (c & 0x3F));
  return 3;
}

struct GbkToUtf8Table {
  GbkToUtf8Table() {
    for (int first = 0; first < 256; ++first) {
      const char lead = static_cast<char>(first);
      single[first] = pack_utf8(converter.convert(std::string_view(&lead, 1)));
      if (first < 0x80 || !single[first].refused()) continue;
      for (int second = 0; second < 256; ++second) {
        const char pair_bytes[] = {lead, static_cast<char>(second)};
        pair[(first - 0x80) * 256 + second] = pack_utf8(converter.convert(std::string_view(pair_bytes, 2)));
      }
    }
  }

  // Every byte on its own, and every pair that starts with a byte which is no
  // character on its own.
  std::array<Utf8Code, 256> single{};
  std::array<Utf8Code, 128 * 256> pair{};  // (lead - 0x80) * 256 + trail
  Iconv converter{"UTF-8", "GBK"};
};

// GBK has no character beyond the BMP, but iconv silently drops some of those, so
// they are put to iconv one at a time.
struct Utf8ToGbkTable {
  Utf8ToGbkTable() {
    for (char32_t c = 0; c < 0x10000; ++c) {
      if (c >= 0xD800 && c <= 0xDFFF) continue;  // surrogates are no characters
      char utf8[3];
      gbk[c] =
          pack_gbk(converter.convert(std::string_view(utf8, write_utf8(static_cast<char16_t>(c), utf8))));
    }
  }

  std::array<PackedGbk, 0x10000> gbk{};
  Iconv converter{"GBK", "UTF-8"};
};

// Runs `convert_chunk(from, to, out)` over `in` in chunks, giving it room for
// `growth` output bytes per input byte; it returns the input offset where it
// stopped (it may finish a character past `to`) and the end of its output. Growing
// the result chunk by chunk spares initialising a string of the worst-case size.
template <typename ConvertChunk>
std::string convert_in_chunks(std::string_view in, size_t growth, size_t expected_size,
                              ConvertChunk convert_chunk) {
  constexpr size_t kChunk = 4096;
  std::string out;
  out.reserve(expected_size);
  size_t from = 0;
  while (from < in.size()) {
    const size_t used = out.size();
    out.resize(used + (kChunk + 4) * growth);
    const size_t to = std::min(in.size(), from + kChunk);
    char* end = nullptr;
    std::tie(from, end) = convert_chunk(from, to, out.data() + used);
    out.resize(static_cast<size_t>(end - out.data()));
  }
  return out;
}

}  // namespace

std::string gbk_from_utf8(std::string_view utf8) {
  static Utf8ToGbkTable table;
  return convert_in_chunks(utf8, 1, utf8.size(), [&](size_t i, size_t to, char* out) {
    while (i < to) {
      char32_t c = static_cast<uint8_t>(utf8[i]);
      const size_t length = c < 0x80 ? 1 : decode_utf8(utf8.substr(i), c);
      const PackedGbk packed = c < 0x10000 ? table.gbk[c] : c == kIllFormedUtf8 ? kRefusedGbk : kUnusualGbk;
      if (packed == kUnusualGbk) {
        const std::optional<std::string> gbk = table.converter.convert(utf8.substr(i, length));
        out = gbk ? put_bytes(out, *gbk) : put_gbk(out, kQuestionMark);
      } else {
        out = put_gbk(out, packed == kRefusedGbk ? kQuestionMark : packed);
      }
      i += length;
    }
    return std::pair(i, out);
  });
}

namespace {

GbkToUtf8Table& gbk_to_utf8_table() {
  static GbkToUtf8Table table;
  return table;
}

// The character that starts at gbk[i], a byte of 0x80 or above, and its byte
// count; refused (one byte) when no GBK character starts there. A pair is looked
// up first: the table holds none for a byte that is a character on its own.
std::pair<Utf8Code, size_t> gbk_character(const GbkToUtf8Table& table, std::string_view gbk, size_t i) {
  const auto first = static_cast<uint8_t>(gbk[i]);
  if (i + 1 < gbk.size()) {
    const Utf8Code pair = table.pair[(first - 0x80) * 256 + static_cast<uint8_t>(gbk[i + 1])];
    if (!pair.refused()) return {pair, 2};
  }
  return {table.single[first], 1};
}

}  // namespace

std::string utf8_from_gbk(std::string_view gbk) {
  GbkToUtf8Table& table = gbk_to_utf8_table();
  return convert_in_chunks(gbk, 3, gbk.size() * 3 / 2, [&](size_t i, size_t to, char* out) {
    while (i < to) {
      const auto first = static_cast<uint8_t>(gbk[i]);
      if (first < 0x80) {  // ASCII stands for itself; markup is mostly ASCII
        *out++ = static_cast<char>(first);
        ++i;
        continue;
      }
      auto [code, length] = gbk_character(table, gbk, i);
      if (code.refused()) code = kReplacementCharacter;
      out = code.unusual() ? put_bytes(out, *table.converter.convert(gbk.substr(i, length)))
                           : put_utf8(out, code);
      i += length;
    }
    return std::pair(i, out);
  });
}

bool is_well_formed_gbk(std::string_view gbk) {
  const GbkToUtf8Table& table = gbk_to_utf8_table();
  size_t i = 0;
  while (i < gbk.size()) {
    if (static_cast<uint8_t>(gbk[i]) < 0x80) {
      ++i;
      continue;
    }
    const auto [code, length] = gbk_character(table, gbk, i);
    if (code.refused()) return false;
    i += length;
  }
  return true;
}
