// SPDX-License-Identifier: MIT
#include "format_number.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace kvt {

namespace {

// A finite value as its shortest round-trip decimal: ±0.d1d2…dn × 10^pointPosition, with d1 ≠ 0
// unless the value is zero (then digits is "0").
struct Decimal {
  bool negative = false;
  std::string digits;
  int pointPosition = 0;
};

template <typename T>
Decimal shortestDecimal(T value) {
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
  const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
  Decimal d;
  std::size_t pos = 0;
  if (text[pos] == '-') {
    d.negative = true;
    ++pos;
  }
  const std::size_t e = text.find('e');
  for (; pos < e; ++pos)
    if (text[pos] != '.') d.digits += text[pos];
  d.pointPosition = std::atoi(std::string(text.substr(e + 1)).c_str()) + 1;
  if (d.digits == "0") d.pointPosition = 0;
  return d;
}

// The first `keep` digits of d (zero-padded), rounded half away from zero on the next digit.
// The result may be one digit longer than `keep` when the rounding carries ("999" → "1000").
std::string roundDigits(const Decimal& d, int keep) {
  if (keep < 0) return "";
  const auto n = static_cast<std::size_t>(keep);
  std::string out = d.digits.substr(0, std::min(n, d.digits.size()));
  out.resize(n, '0');
  if (n < d.digits.size() && d.digits[n] >= '5') {
    std::size_t i = out.size();
    while (i > 0 && out[i - 1] == '9')
      out[--i] = '0';
    if (i == 0)
      out.insert(out.begin(), '1');
    else
      ++out[i - 1];
  }
  return out;
}

bool allZero(std::string_view digits) {
  return std::all_of(digits.begin(), digits.end(), [](char c) { return c == '0'; });
}

struct Pattern {
  bool scientific = false;
  char exponentLetter = 'e';
  int minIntegerDigits = 0;
  int decimals = 0;          // shown always
  int optionalDecimals = 0;  // "#" after the point: shown when not trailing zeros
  int minExponentDigits = 2;
};

Pattern parsePattern(std::string_view pattern) {
  Pattern p;
  const std::size_t exp = pattern.find_first_of("eE");
  std::string_view mantissa = pattern.substr(0, exp);
  if (exp != std::string_view::npos) {
    p.scientific = true;
    p.exponentLetter = pattern[exp];
    const auto zeros =
        std::count(pattern.begin() + static_cast<std::ptrdiff_t>(exp), pattern.end(), '0');
    p.minExponentDigits = std::max(2, static_cast<int>(zeros));
  }
  const std::size_t point = mantissa.find('.');
  const std::string_view integer = mantissa.substr(0, point);
  p.minIntegerDigits = static_cast<int>(std::count(integer.begin(), integer.end(), '0'));
  if (point != std::string_view::npos) {
    const std::string_view fraction = mantissa.substr(point + 1);
    p.decimals = static_cast<int>(std::count(fraction.begin(), fraction.end(), '0'));
    p.optionalDecimals = static_cast<int>(std::count(fraction.begin(), fraction.end(), '#'));
  }
  return p;
}

std::string withSign(bool negative, std::string_view digitsShown, std::string text) {
  if (negative && !allZero(digitsShown)) text.insert(text.begin(), '-');
  return text;
}

std::string formatFixed(const Decimal& d, const Pattern& p) {
  const int decimals = p.decimals + p.optionalDecimals;
  std::string n = roundDigits(d, d.pointPosition + decimals);  // the value × 10^decimals
  const std::string shown = n;
  const auto minLength = static_cast<std::size_t>(decimals + std::max(p.minIntegerDigits, 0));
  if (n.size() < minLength) n.insert(0, minLength - n.size(), '0');
  const std::size_t split = n.size() - static_cast<std::size_t>(decimals);
  std::string integer = n.substr(0, split);
  std::string fraction = n.substr(split);
  // "#" decimals drop their trailing zeros; "0" decimals never do.
  std::size_t keepFraction = fraction.size();
  while (keepFraction > static_cast<std::size_t>(p.decimals) && fraction[keepFraction - 1] == '0')
    --keepFraction;
  fraction.resize(keepFraction);
  std::string text = integer;
  if (!fraction.empty()) text += '.' + fraction;
  return withSign(d.negative, shown, text);
}

std::string formatScientific(const Decimal& d, const Pattern& p) {
  const int significant = 1 + p.decimals + p.optionalDecimals;
  std::string n = roundDigits(d, significant);
  int exponent = d.pointPosition - 1;
  if (allZero(n)) {
    exponent = 0;
  } else if (static_cast<int>(n.size()) > significant) {  // 9.9996 → 10.000: one more place
    n.pop_back();
    ++exponent;
  }
  std::string text(1, n[0]);
  std::string fraction = n.substr(1);
  std::size_t keepFraction = fraction.size();
  while (keepFraction > static_cast<std::size_t>(p.decimals) && fraction[keepFraction - 1] == '0')
    --keepFraction;
  fraction.resize(keepFraction);
  if (!fraction.empty()) text += '.' + fraction;
  std::string exponentDigits = std::to_string(std::abs(exponent));
  if (exponentDigits.size() < static_cast<std::size_t>(p.minExponentDigits))
    exponentDigits.insert(0, static_cast<std::size_t>(p.minExponentDigits) - exponentDigits.size(),
                          '0');
  text += p.exponentLetter;
  text += exponent < 0 ? '-' : '+';
  text += exponentDigits;
  return withSign(d.negative, n, text);
}

template <typename T>
std::string formatAny(T value, std::string_view pattern) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
  const Pattern p = parsePattern(pattern);
  const Decimal d = shortestDecimal(value);
  return p.scientific ? formatScientific(d, p) : formatFixed(d, p);
}

}  // namespace

std::string formatNumber(double value, std::string_view pattern) {
  return formatAny(value, pattern);
}

std::string formatNumber(float value, std::string_view pattern) {
  return formatAny(value, pattern);
}

}  // namespace kvt
