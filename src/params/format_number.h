// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace kvt {

// Formats a number with a display pattern and adds no blanks. In a pattern "0" is a digit that
// is always shown, "#" one shown only when significant, "." the decimal point; integer digits
// beyond the pattern's places are still shown ("##0.00" gives "1234.57" for 1234.567). A pattern
// of zeros only ("00000") gives a zero-padded integer. "0.000e+00" and "0.0E+00" give scientific
// notation: one integer digit, the pattern's decimals, its exponent letter, the exponent's sign
// always and at least two exponent digits.
//
// Rounding is half away from zero, applied to the shortest decimal that reads back as the value
// in its own precision: what an engineer sees in the box, not the binary expansion. The single
// 0.635f (db/2 for the common bar of 1.27 cm) is stored as 0.634999990…, yet shows "0.64";
// the double 1.005 shows "1.01". Hence two forms: pass a float for a single-precision field.
//
// A negative number gets a leading "-", unless it rounds to zero ("0.00", never "-0.00").
// An infinity shows as "Infinity" or "-Infinity", a NaN as "NaN".
std::string formatNumber(double value, std::string_view pattern);
std::string formatNumber(float value, std::string_view pattern);

// A display pattern read once, for formatting many numbers with it (the result file's columns).
struct NumberPattern {
  explicit NumberPattern(std::string_view pattern);

  bool scientific = false;
  char exponentLetter = 'e';
  int minIntegerDigits = 0;
  int decimals = 0;          // shown always
  int optionalDecimals = 0;  // "#" after the point: shown when not trailing zeros
  int minExponentDigits = 2;
};

std::string formatNumber(double value, const NumberPattern& pattern);
std::string formatNumber(float value, const NumberPattern& pattern);

// A number in its shortest exact form, which reads back as the same double: "20", "0.65",
// "1e+50". For data files and for telling the user exactly what a number is.
std::string shortestNumber(double value);

}  // namespace kvt
