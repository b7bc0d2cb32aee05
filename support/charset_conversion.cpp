#include "support/charset_conversion.h"

#include <iconv.h>

#include <cerrno>

namespace {

class Converter {
 public:
  explicit Converter(const std::string& from) : handle_(iconv_open("UTF-8", from.c_str())) {}
  ~Converter() {
    if (opened()) iconv_close(handle_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool opened() const { return handle_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t handle() const { return handle_; }

 private:
  iconv_t handle_;
};

}  // namespace

bool is_known_charset(const std::string& charset) {
  return Converter(charset).opened();
}

std::optional<std::string> utf8_from_charset(std::string_view bytes, const std::string& charset) {
  const Converter converter(charset);
  if (!converter.opened()) return std::nullopt;
  std::string utf8;
  char buffer[4096];
  char* in = const_cast<char*>(bytes.data());
  size_t in_left = bytes.size();
  // Null input at the end: a character set with shift states may have output left.
  for (bool input_done = false;; input_done = in_left == 0) {
    char* out = buffer;
    size_t out_left = sizeof buffer;
    const size_t result = input_done ? iconv(converter.handle(), nullptr, nullptr, &out, &out_left)
                                     : iconv(converter.handle(), &in, &in_left, &out, &out_left);
    utf8.append(buffer, out);
    // Anything but a full buffer: a sequence it has no character for, or one cut short.
    if (result == static_cast<size_t>(-1) && errno != E2BIG) return std::nullopt;
    if (result != static_cast<size_t>(-1) && input_done) return utf8;
  }
}
