// SPDX-License-Identifier: MIT
#include "item_forms.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>

#include "params/format_number.h"

namespace kvt {

namespace {

constexpr int kSignificantDigits = 7;

// The float's shortest round-trip digits and decimal exponent (value = 0.d1d2… × 10^(exp+1)).
struct ShortestDigits {
  std::string digits;
  int exponent = 0;  // of the first digit
};

ShortestDigits shortestDigits(float magnitude) {
  char buffer[32];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific);
  const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
  const std::size_t e = text.find('e');
  ShortestDigits d;
  for (std::size_t i = 0; i < e; ++i)
    if (text[i] != '.') d.digits += text[i];
  d.exponent = std::atoi(std::string(text.substr(e + 1)).c_str());
  return d;
}

// Rounds the digits half away from zero to at most seven; a carry raises the exponent.
void roundToSignificant(ShortestDigits& d) {
  if (d.digits.size() <= kSignificantDigits) return;
  const bool up = d.digits[kSignificantDigits] >= '5';
  d.digits.resize(kSignificantDigits);
  if (!up) return;
  std::size_t i = d.digits.size();
  while (i > 0 && d.digits[i - 1] == '9')
    d.digits[--i] = '0';
  if (i == 0) {
    d.digits.insert(d.digits.begin(), '1');
    d.digits.pop_back();
    ++d.exponent;
  } else {
    ++d.digits[i - 1];
  }
}

void dropTrailingZeros(std::string& digits) {
  while (digits.size() > 1 && digits.back() == '0')
    digits.pop_back();
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
  ShortestDigits d = shortestDigits(std::fabs(value));
  roundToSignificant(d);
  dropTrailingZeros(d.digits);
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
