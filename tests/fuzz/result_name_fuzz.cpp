// SPDX-License-Identifier: MIT
// The result file's name from any stored path: never crashes; it is the path with its last three
// characters replaced by "T-S" (or "T-S" appended to a shorter path, "default.t-s" for none).
// Characters are counted by the C library's UTF-8 decoder (Unicode scalar values only), each
// byte outside a well-formed character as one, so the cut never reaches further back than three
// characters.
#include <cstdint>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "output/result_file.h"

namespace {

// Where each character starts: a well-formed UTF-8 sequence, or a single byte that is none.
std::vector<std::size_t> characterStarts(const std::string& text) {
  static const locale_t utf8 = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
  if (utf8 == nullptr) std::abort();
  const locale_t previous = ::uselocale(utf8);
  std::vector<std::size_t> starts;
  for (std::size_t at = 0; at < text.size();) {
    starts.push_back(at);
    std::mbstate_t state{};
    wchar_t c = 0;
    const std::size_t n = std::mbrtowc(&c, text.data() + at, text.size() - at, &state);
    // A NUL, an invalid or cut-off sequence, or one beyond Unicode (the decoder reads up to
    // 2^31): one byte.
    const bool scalar = c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
    at += n == 0 || n > 4 || !scalar ? 1 : n;
  }
  ::uselocale(previous);
  return starts;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string stored(reinterpret_cast<const char*>(data), size);
  const std::string name = kvt::resultFileName(stored);
  if (stored.empty()) {
    if (name != "default.t-s") std::abort();
    return 0;
  }
  const auto starts = characterStarts(stored);
  const std::string kept = starts.size() < 3 ? stored : stored.substr(0, starts[starts.size() - 3]);
  if (name != kept + "T-S") std::abort();
  return 0;
}
