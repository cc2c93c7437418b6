// SPDX-License-Identifier: MIT
#include "terminal_text.h"

#include <cstdio>

namespace kvt {

namespace {

// "\x1b" for a byte, "\u009b" for an 8-bit control character.
std::string hexEscape(bool character, unsigned value) {
  char escaped[8];
  std::snprintf(escaped, sizeof escaped, character ? "\\u%04x" : "\\x%02x", value);
  return escaped;
}

// The length of the well-formed UTF-8 sequence at the start of `text`, or 0.
std::size_t utf8Length(std::string_view text) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned lead = byte(0);
  const std::size_t length = lead < 0x80                    ? 1
                             : lead >= 0xC2 && lead <= 0xDF ? 2
                             : lead >= 0xE0 && lead <= 0xEF ? 3
                             : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                            : 0;
  if (length == 0 || length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k)
    if ((byte(k) & 0xC0) != 0x80) return 0;
  // Overlong forms, surrogates and code points beyond U+10FFFF.
  if ((lead == 0xE0 && byte(1) < 0xA0) || (lead == 0xED && byte(1) > 0x9F) ||
      (lead == 0xF0 && byte(1) < 0x90) || (lead == 0xF4 && byte(1) > 0x8F))
    return 0;
  return length;
}

}  // namespace

std::string terminalText(std::string_view text) {
  std::string line;
  line.reserve(text.size());
  while (!text.empty()) {
    const auto first = static_cast<unsigned char>(text[0]);
    const std::size_t length = utf8Length(text);
    if (length == 0) {
      line += hexEscape(false, first);
      text.remove_prefix(1);
    } else if (first == '\n' || first == '\r' || first == '\t') {
      line += first == '\n' ? "\\n" : first == '\r' ? "\\r" : "\\t";
      text.remove_prefix(1);
    } else if (first < 0x20 || first == 0x7F) {
      line += hexEscape(false, first);
      text.remove_prefix(1);
    } else if (first == 0xC2 && static_cast<unsigned char>(text[1]) < 0xA0) {
      // U+0080 … U+009F: the 8-bit controls, CSI among them.
      line += hexEscape(true, static_cast<unsigned char>(text[1]));
      text.remove_prefix(2);
    } else {
      line.append(text.substr(0, length));
      text.remove_prefix(length);
    }
  }
  return line;
}

}  // namespace kvt
