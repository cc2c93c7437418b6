// SPDX-License-Identifier: MIT
// formatNumber with any pattern (drawn from the input: the program's own, hundreds of places, or
// any bytes at all) and any double or float (infinities, NaN, denormals, huge magnitudes): never
// crashes, and a finite value's text reads back as the value rounded to the pattern: within half
// a unit of the last place the pattern keeps, plus the half-ulp steps of taking the shortest
// decimal and of reading the text back.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "params/format_number.h"
#include "params/parse_number.h"

namespace {

// The decimals a pattern asks for: "0" and "#" after its point, before an exponent letter.
int decimalsOf(std::string_view pattern) {
  enum class Part { Integer, Fraction, Exponent } part = Part::Integer;
  int decimals = 0;
  for (const char c : pattern) {
    if (part != Part::Exponent && (c == 'e' || c == 'E'))
      part = Part::Exponent;
    else if (part == Part::Integer && c == '.')
      part = Part::Fraction;
    else if (part == Part::Fraction && (c == '0' || c == '#'))
      ++decimals;
  }
  return decimals;
}

double ulp(double value) {
  const double magnitude = std::fabs(value);
  return std::nextafter(magnitude, std::numeric_limits<double>::infinity()) - magnitude;
}

template <typename T>
void check(T value, std::string_view pattern) {
  const std::string text = kvt::formatNumber(value, pattern);
  if (std::isnan(value)) {
    if (text != "NaN") std::abort();
    return;
  }
  if (std::isinf(value)) {
    if (text != (value < 0 ? "-Infinity" : "Infinity")) std::abort();
    return;
  }
  if (text.starts_with("-0") && text.find_first_of("123456789") == std::string::npos) std::abort();
  const double v = static_cast<double>(value);
  const double back = kvt::parseNumber(text);
  double unit = std::pow(10.0, -decimalsOf(pattern));
  const std::size_t e = text.find_first_of("eE");
  if (e != std::string::npos) unit *= std::pow(10.0, std::atoi(text.c_str() + e + 1));
  // A value within half a unit of the largest double rounds to a text beyond the double range
  // ("1.8E+308"), which reads back as an infinity.
  if (std::isinf(back)) {
    if (!(std::fabs(v) + 0.5 * unit >= std::numeric_limits<double>::max())) std::abort();
    return;
  }
  // The shortest decimal of a float is within half a float ulp of it.
  const double valueUlp =
      sizeof(T) == sizeof(float)
          ? static_cast<double>(
                std::nextafter(std::fabs(value), std::numeric_limits<T>::infinity()) -
                std::fabs(value))
          : ulp(v);
  const double allowed = 0.5 * unit * (1 + 1e-9) + 0.5 * valueUlp + ulp(back);
  if (!(std::fabs(back - v) <= allowed)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Eight bytes of value, then the pattern.
  if (size < sizeof(double) || size > sizeof(double) + 1000) return 0;
  double value = 0;
  std::memcpy(&value, data, sizeof value);
  float single = 0;
  std::memcpy(&single, data, sizeof single);
  const std::string_view pattern(reinterpret_cast<const char*>(data) + sizeof value,
                                 size - sizeof value);
  check(value, pattern);
  check(single, pattern);
  return 0;
}
