// SPDX-License-Identifier: MIT
#include "item_forms.h"

#include <cmath>
#include <cstdlib>
#include <string_view>

#include "params/format_number.h"

namespace kvt {

namespace {

constexpr int kSignificantDigits = 7;

// The seven significant digits of a single, rounded by the program's one rule (half away from
// zero on its shortest decimal), and the decimal exponent of the first.
struct SignificantDigits {
  std::string digits;
  int exponent = 0;
};

SignificantDigits significantDigits(float magnitude) {
  static const NumberPattern sevenDigits("0.000000E+00");
  const std::string text = formatNumber(magnitude, sevenDigits);  // "1.270000E+00"
  const std::size_t e = text.find('E');
  SignificantDigits d;
  d.digits = text.substr(0, 1) + text.substr(2, e - 2);
  d.exponent = std::atoi(text.c_str() + e + 1);
  while (d.digits.size() > 1 && d.digits.back() == '0')
    d.digits.pop_back();
  return d;
}

}  // namespace

void appendBareNumber(std::string& line, float value) {
  line += std::signbit(value) && value != 0 ? '-' : ' ';
  if (!std::isfinite(value)) {
    line += std::isnan(value) ? "NaN" : "Infinity";
    line += ' ';
    return;
  }
  if (value == 0) {
    line += "0 ";
    return;
  }
  const SignificantDigits d = significantDigits(std::fabs(value));
  // General notation switches to an exponent where fixed notation would need leading zeros
  // beyond four places or more than seven integer digits, as C's %G does.
  if (d.exponent < -4 || d.exponent >= kSignificantDigits) {
    line += d.digits[0];
    if (d.digits.size() > 1) {
      line += '.';
      line.append(d.digits, 1);
    }
    line += d.exponent < 0 ? "E-" : "E+";
    const int magnitude = std::abs(d.exponent);
    if (magnitude < 10) line += '0';
    line += std::to_string(magnitude);
  } else if (d.exponent < 0) {
    line += "0.";
    line.append(static_cast<std::size_t>(-d.exponent - 1), '0');
    line += d.digits;
  } else {
    const auto integerDigits = static_cast<std::size_t>(d.exponent + 1);
    if (d.digits.size() <= integerDigits) {
      line += d.digits;
      line.append(integerDigits - d.digits.size(), '0');
    } else {
      line.append(d.digits, 0, integerDigits);
      line += '.';
      line.append(d.digits, integerDigits);
    }
  }
  line += ' ';
}

void appendScientific(std::string& line, double value) {
  static const NumberPattern scientific("0.000e+00");
  line += formatNumber(value, scientific);
}

void appendRightAligned(std::string& line, double value) {
  constexpr std::size_t kWidth = 8;
  static const NumberPattern twoDecimals("####0.00");
  const std::string text = formatNumber(value, twoDecimals);
  if (text.size() < kWidth) line.append(kWidth - text.size(), ' ');
  line += text;
}

}  // namespace kvt
