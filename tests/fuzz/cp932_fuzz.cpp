// SPDX-License-Identifier: MIT
// Code page 932 conversion of arbitrary bytes, both ways: never crashes; decoding always gives
// well-formed UTF-8, and without loss it encodes back to the same bytes; encoding gives code page
// 932 that decodes without loss, keeps ASCII as it is, and is stable: a second round trip
// changes nothing more.
#include <cstdint>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <string_view>

#include "files/cp932.h"

namespace {

// Well-formed UTF-8, by the C library's own decoder, of Unicode scalar values only.
bool wellFormedUtf8(const std::string& text) {
  static const locale_t utf8 = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
  if (utf8 == nullptr) std::abort();
  const locale_t previous = ::uselocale(utf8);
  std::mbstate_t state{};
  bool ok = true;
  for (std::size_t at = 0; at < text.size();) {
    wchar_t c = 0;
    const std::size_t n = std::mbrtowc(&c, text.data() + at, text.size() - at, &state);
    if (n == static_cast<std::size_t>(-1) || n == static_cast<std::size_t>(-2) || c > 0x10FFFF ||
        (c >= 0xD800 && c <= 0xDFFF)) {
      ok = false;
      break;
    }
    at += n == 0 ? 1 : n;
  }
  ::uselocale(previous);
  return ok;
}

bool isAscii(std::string_view text) {
  for (const char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);

  bool lossy = false;
  const std::string utf8 = kvt::fromCp932(bytes, &lossy);
  if (!wellFormedUtf8(utf8)) std::abort();
  bool lossyBack = false;
  const std::string back = kvt::toCp932(utf8, &lossyBack);
  if (lossyBack && !lossy) std::abort();
  if (!lossy && kvt::fromCp932(back) != utf8) std::abort();

  const std::string encoded = kvt::toCp932(bytes, &lossy);
  if (isAscii(bytes) && (encoded != bytes || lossy)) std::abort();
  bool lossyDecoding = false;
  const std::string decoded = kvt::fromCp932(encoded, &lossyDecoding);
  if (lossyDecoding) std::abort();
  if (kvt::toCp932(decoded) != encoded) std::abort();
  return 0;
}
