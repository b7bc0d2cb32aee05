#include "support/gbk.h"

#include <iconv.h>
#include <cerrno>

namespace {

// One converter per direction, opened on first use and kept: opening is far
// dearer than converting a short text.
class Converter {
 public:
  Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
  ~Converter() {
    if (handle_ != reinterpret_cast<iconv_t>(-1)) iconv_close(handle_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts all of `in`; `on_error` is called with the remaining input at each
  // sequence the converter refuses and returns how many bytes to skip there.
  template <typename OnError>
  std::string convert(std::string_view in, size_t worst_growth, OnError on_error) {
    std::string out;
    if (handle_ == reinterpret_cast<iconv_t>(-1)) return out;
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    out.resize(in.size() * worst_growth + 8);
    char* src = const_cast<char*>(in.data());
    size_t src_left = in.size();
    char* dst = out.data();
    size_t dst_left = out.size();
    while (src_left > 0) {
      if (iconv(handle_, &src, &src_left, &dst, &dst_left) != static_cast<size_t>(-1)) break;
      if (errno == E2BIG) {
        const size_t used = out.size() - dst_left;
        out.resize(out.size() * 2);
        dst = out.data() + used;
        dst_left = out.size() - used;
        continue;
      }
      // EILSEQ or EINVAL: a sequence that cannot be converted, or one cut off at the end.
      const size_t used = out.size() - dst_left;
      std::string_view replacement;
      const size_t skip = on_error(std::string_view(src, src_left), replacement);
      out.resize(used);
      out.append(replacement);
      out.resize(out.size() + src_left * worst_growth + 8);
      dst = out.data() + used + replacement.size();
      dst_left = out.size() - used - replacement.size();
      src += skip;
      src_left -= skip;
    }
    out.resize(out.size() - dst_left);
    return out;
  }

 private:
  iconv_t handle_;
};

// Length of the well-formed UTF-8 sequence at the start of `s`, or the length of
// its longest ill-formed prefix (at least 1), which is replaced as one unit.
size_t utf8_sequence_length(std::string_view s) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char lead = byte(0);
  size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF)
    length = 2;
  else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 1;
  }
  for (size_t i = 1; i < length; ++i) {
    if (i >= s.size()) return i;
    const unsigned char c = byte(i);
    if (c < (i == 1 ? low : 0x80) || c > (i == 1 ? high : 0xBF)) return i;
  }
  return length;
}

}  // namespace

std::string gbk_from_utf8(std::string_view utf8) {
  static Converter converter("GBK", "UTF-8");
  return converter.convert(utf8, 1, [](std::string_view rest, std::string_view& replacement) {
    replacement = "?";
    return utf8_sequence_length(rest);
  });
}

std::string utf8_from_gbk(std::string_view gbk) {
  static Converter converter("UTF-8", "GBK");
  return converter.convert(gbk, 3, [](std::string_view, std::string_view& replacement) {
    replacement = "\xEF\xBF\xBD";
    return size_t{1};
  });
}
