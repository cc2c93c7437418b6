// SPDX-License-Identifier: MIT
#include "parse_number.h"

#include <locale.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace kvt {

namespace {

bool isSkipped(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}
bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

int digitValue(char c) {
  if (isDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

// The number read from the text with its blanks removed, and how many of those characters it
// took; none when the text does not start with a number.
struct CompactReading {
  double value = 0;
  std::size_t used = 0;
};

// "&H1F" or "&O17": an unsigned integer in base 16 or 8 after its two-character prefix; without
// digits it reads as 0 and the prefix is not a number either.
CompactReading parseRadixInteger(std::string_view text, int radix) {
  CompactReading reading;
  std::size_t pos = 2;
  for (; pos < text.size(); ++pos) {
    const int d = digitValue(text[pos]);
    if (d >= radix) break;
    reading.value = reading.value * radix + d;
  }
  if (pos > 2) reading.used = pos;
  return reading;
}

// The C locale, so that "." is the decimal separator whatever the user's locale (Qt sets the
// process locale from the environment at start).
locale_t cLocale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", nullptr);
  return locale;
}

std::size_t appendDigits(std::string_view text, std::size_t pos, std::string& out) {
  while (pos < text.size() && isDigit(text[pos]))
    out += text[pos++];
  return pos;
}

CompactReading readCompact(std::string_view t) {
  if (t.size() >= 2 && t[0] == '&') {
    if (t[1] == 'H' || t[1] == 'h') return parseRadixInteger(t, 16);
    if (t[1] == 'O' || t[1] == 'o') return parseRadixInteger(t, 8);
  }

  // Copy the longest prefix that forms a number into a clean, C-locale form for strtod.
  std::string number;
  std::size_t pos = 0;
  if (pos < t.size() && (t[pos] == '+' || t[pos] == '-')) number += t[pos++];
  const std::size_t mantissaStart = number.size();
  pos = appendDigits(t, pos, number);
  if (pos < t.size() && t[pos] == '.') {
    number += t[pos++];
    pos = appendDigits(t, pos, number);
  }
  const std::size_t mantissaDigits =
      number.size() - mantissaStart - (number.find('.') == std::string::npos ? 0 : 1);
  if (mantissaDigits == 0) return {};

  if (pos < t.size() && (t[pos] == 'e' || t[pos] == 'E' || t[pos] == 'd' || t[pos] == 'D')) {
    std::size_t p = pos + 1;
    std::string exponent = "e";
    if (p < t.size() && (t[p] == '+' || t[p] == '-')) exponent += t[p++];
    const std::size_t before = exponent.size();
    p = appendDigits(t, p, exponent);
    if (exponent.size() > before) {  // "1e" and "1e-" read as 1
      number += exponent;
      pos = p;
    }
  }
  return {strtod_l(number.c_str(), nullptr, cLocale()), pos};
}

}  // namespace

NumberReading readNumber(std::string_view text) {
  // The text without its blanks, and where each of its characters stood in the original.
  std::string compact;
  std::vector<std::size_t> origin;
  compact.reserve(text.size());
  origin.reserve(text.size());
  for (std::size_t k = 0; k < text.size(); ++k) {
    if (isSkipped(text[k])) continue;
    compact += text[k];
    origin.push_back(k);
  }
  const CompactReading reading = readCompact(compact);
  // Blanks between and after the characters read count as read: "2 5" is read in full.
  const std::size_t used = reading.used < origin.size() ? origin[reading.used] : text.size();
  return {reading.value, used};
}

double parseNumber(std::string_view text) {
  return readNumber(text).value;
}

}  // namespace kvt
