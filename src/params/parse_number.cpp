// SPDX-License-Identifier: MIT
#include "parse_number.h"

#include <locale.h>

#include <cstdlib>
#include <string>

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

// "&H1F" or "&O17": an unsigned integer in base 16 or 8; no digits reads as 0.
double parseRadixInteger(std::string_view digits, int radix) {
  double value = 0;
  for (char c : digits) {
    const int d = digitValue(c);
    if (d >= radix) break;
    value = value * radix + d;
  }
  return value;
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

}  // namespace

double parseNumber(std::string_view text) {
  std::string t;
  t.reserve(text.size());
  for (char c : text)
    if (!isSkipped(c)) t += c;

  if (t.size() >= 2 && t[0] == '&') {
    if (t[1] == 'H' || t[1] == 'h') return parseRadixInteger(std::string_view(t).substr(2), 16);
    if (t[1] == 'O' || t[1] == 'o') return parseRadixInteger(std::string_view(t).substr(2), 8);
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
  if (mantissaDigits == 0) return 0.0;

  if (pos < t.size() && (t[pos] == 'e' || t[pos] == 'E' || t[pos] == 'd' || t[pos] == 'D')) {
    std::size_t p = pos + 1;
    std::string exponent = "e";
    if (p < t.size() && (t[p] == '+' || t[p] == '-')) exponent += t[p++];
    const std::size_t before = exponent.size();
    appendDigits(t, p, exponent);
    if (exponent.size() > before) number += exponent;  // "1e" and "1e-" read as 1
  }
  return strtod_l(number.c_str(), nullptr, cLocale());
}

}  // namespace kvt
