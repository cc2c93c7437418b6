// SPDX-License-Identifier: MIT
#include "cp932.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>

namespace kvt {

namespace {

bool isAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool isContinuation(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Bytes of the character at p that iconv could not convert: a whole well-formed UTF-8 sequence
// (a character the code page lacks), or a single stray byte.
std::size_t unconvertibleUtf8(const char* p, std::size_t left) {
  const auto b = static_cast<unsigned char>(*p);
  const std::size_t n = b >= 0xF8 ? 1 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
  if (n > left) return 1;
  for (std::size_t k = 1; k < n; ++k)
    if (!isContinuation(p[k])) return 1;
  return n;
}

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1))
      throw std::runtime_error(std::string("no iconv conversion from ") + from + " to " + to);
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts `in`; an unconvertible input sequence of `skip(position, bytes left)` bytes is
  // replaced.
  template <typename Skip>
  std::string convert(std::string_view in, std::string_view replacement, Skip skip, bool* lossy) {
    std::string out;
    out.resize(in.size() * 2 + 8);
    // iconv's interface takes non-const input pointers but does not write through them.
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    std::size_t used = 0;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    while (srcLeft > 0) {
      char* dst = out.data() + used;
      std::size_t dstLeft = out.size() - used;
      const std::size_t result = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
      used = out.size() - dstLeft;
      if (result != static_cast<std::size_t>(-1)) break;
      if (errno == E2BIG) {
        out.resize(out.size() * 2);
      } else {  // EILSEQ or EINVAL: replace one character and go on
        const std::size_t n = std::min(skip(src, srcLeft), srcLeft);
        src += n;
        srcLeft -= n;
        if (out.size() - used < replacement.size() + 8) out.resize(out.size() * 2 + 16);
        std::copy(replacement.begin(), replacement.end(), out.begin() + static_cast<long>(used));
        used += replacement.size();
        if (lossy) *lossy = true;
      }
    }
    out.resize(used);
    return out;
  }

 private:
  iconv_t cd_;
};

}  // namespace

std::string toCp932(std::string_view utf8, bool* lossy) {
  if (lossy) *lossy = false;
  if (isAscii(utf8)) return std::string(utf8);
  thread_local Converter converter("CP932", "UTF-8");
  return converter.convert(utf8, "?", unconvertibleUtf8, lossy);
}

std::string fromCp932(std::string_view cp932, bool* lossy) {
  if (lossy) *lossy = false;
  if (isAscii(cp932)) return std::string(cp932);
  thread_local Converter converter("UTF-8", "CP932");
  return converter.convert(
      cp932, "\xEF\xBF\xBD", [](const char*, std::size_t) { return std::size_t{1}; }, lossy);
}

}  // namespace kvt
