// SPDX-License-Identifier: MIT
// formatNumber with every pattern the program uses and any double or float (infinities, NaN,
// denormals, huge magnitudes): never crashes, and a finite value's text reads back as the value
// rounded to the pattern: within half a unit of the last place the pattern keeps, plus the
// half-ulp steps of taking the shortest decimal and of reading the text back.
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

constexpr const char* kPatterns[] = {"#0.000",  "###0.0",  "##0.00", "#0.0000000",
                                     "##0.000", "###0.00", "00000",  "0.000e+00",
                                     "0.0E+00", "##0.0",   "####0",  "####0.00"};

int decimalsOf(std::string_view pattern) {
  const std::size_t point = pattern.find('.');
  if (point == std::string_view::npos) return 0;
  std::size_t end = pattern.find_first_of("eE");
  if (end == std::string_view::npos) end = pattern.size();
  return static_cast<int>(end - point - 1);
}

double ulp(double value) {
  const double magnitude = std::fabs(value);
  return std::nextafter(magnitude, std::numeric_limits<double>::infinity()) - magnitude;
}

template <typename T>
void check(T value, std::string_view pattern) {
  const std::string text = kvt::formatNumber(value, pattern);
  if (text.empty()) std::abort();
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
  if (size < 1 + sizeof(double)) return 0;
  const std::string_view pattern = kPatterns[data[0] % std::size(kPatterns)];
  double value = 0;
  std::memcpy(&value, data + 1, sizeof value);
  float single = 0;
  std::memcpy(&single, data + 1, sizeof single);
  check(value, pattern);
  check(single, pattern);
  return 0;
}
