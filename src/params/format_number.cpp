// SPDX-License-Identifier: MIT
#include "format_number.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <system_error>

namespace kvt {

// The buffers below are sized for IEEE doubles: at most 17 significant digits of the shortest
// decimal and a decimal exponent of three digits, 309 integer digits at most.
static_assert(std::numeric_limits<double>::is_iec559 &&
                  std::numeric_limits<double>::max_digits10 == 17 &&
                  std::numeric_limits<double>::max_exponent10 == 308,
              "formatNumber's buffers assume IEEE 754 doubles");

namespace {

// A finite value as its shortest round-trip decimal: ±0.d1d2…dn × 10^pointPosition, with d1 ≠ 0
// unless the value is zero (then the digits are "0"). The digits stay in the conversion's own
// buffer: the report formats tens of thousands of numbers, and copying them would dominate.
struct Decimal {
  bool negative = false;
  char buffer[48];
  std::size_t start = 0;
  std::size_t size = 0;
  int pointPosition = 0;

  std::string_view digits() const { return {buffer + start, size}; }
};

template <typename T>
Decimal shortestDecimal(T value) {
  Decimal d;
  const auto result =
      std::to_chars(d.buffer, d.buffer + sizeof d.buffer, value, std::chars_format::scientific);
  char* first = d.buffer;
  if (*first == '-') {
    d.negative = true;
    ++first;
  }
  const auto* e = static_cast<const char*>(
      std::memchr(first, 'e', static_cast<std::size_t>(result.ptr - first)));
  // "d.ddde+XX": moving the leading digit onto the point joins the digits.
  if (first[1] == '.') {
    first[1] = first[0];
    ++first;
  }
  d.start = static_cast<std::size_t>(first - d.buffer);
  d.size = static_cast<std::size_t>(e - first);
  int exponent = 0;
  std::from_chars(e + (e[1] == '+' ? 2 : 1), result.ptr, exponent);
  d.pointPosition = exponent + 1;
  if (d.digits() == "0") d.pointPosition = 0;
  return d;
}

// Digits being rounded and laid out. They stay on the stack for every pattern the program uses
// (a double has at most 309 integer digits, its patterns at most seven decimals); a pattern
// asking for more places gets room on the heap, so no pattern can write past the buffer.
class Digits {
 public:
  Digits() = default;
  Digits(const Digits&) = delete;
  Digits& operator=(const Digits&) = delete;

  // Room for `capacity` digits; what was there is kept.
  void reserve(std::size_t capacity) {
    if (capacity <= local_.size() || capacity <= heap_.size()) return;
    std::string grown(capacity, '0');
    std::copy_n(data_, size, grown.data());
    heap_ = std::move(grown);
    data_ = heap_.data();
  }
  char* data() { return data_; }
  const char* data() const { return data_; }
  std::string_view view() const { return {data_, size}; }

  std::size_t size = 0;

 private:
  std::array<char, 400> local_;
  std::string heap_;
  char* data_ = local_.data();
};

// The first `keep` digits of d (zero-padded), rounded half away from zero on the next digit.
// The result may be one digit longer than `keep` when the rounding carries ("999" → "1000").
void roundDigits(const Decimal& d, int keep, Digits& out) {
  out.size = 0;
  if (keep < 0) return;
  const auto n = static_cast<std::size_t>(keep);
  out.reserve(n + 1);
  char* buffer = out.data();
  const std::string_view digits = d.digits();
  const std::size_t copied = std::min(n, digits.size());
  std::copy_n(digits.data(), copied, buffer);
  std::fill_n(buffer + copied, n - copied, '0');
  out.size = n;
  if (n < digits.size() && digits[n] >= '5') {
    std::size_t i = n;
    while (i > 0 && buffer[i - 1] == '9')
      buffer[--i] = '0';
    if (i == 0) {
      std::copy_backward(buffer, buffer + n, buffer + n + 1);
      buffer[0] = '1';
      ++out.size;
    } else {
      ++buffer[i - 1];
    }
  }
}

bool allZero(std::string_view digits) {
  return std::all_of(digits.begin(), digits.end(), [](char c) { return c == '0'; });
}

// How many of `available` decimals are shown: "#" decimals drop their trailing zeros, "0"
// decimals never do.
std::size_t shownDecimals(const char* fraction, std::size_t available, const NumberPattern& p) {
  std::size_t keep = available;
  while (keep > static_cast<std::size_t>(p.decimals) && fraction[keep - 1] == '0')
    --keep;
  return keep;
}

std::string formatFixed(const Decimal& d, const NumberPattern& p) {
  const int decimals = p.decimals + p.optionalDecimals;
  Digits n;
  roundDigits(d, d.pointPosition + decimals, n);  // the value × 10^decimals
  const bool roundsToZero = allZero(n.view());
  const auto minLength = static_cast<std::size_t>(decimals + std::max(p.minIntegerDigits, 0));
  if (n.size < minLength) {
    const std::size_t pad = minLength - n.size;
    n.reserve(minLength);
    std::copy_backward(n.data(), n.data() + n.size, n.data() + minLength);
    std::fill_n(n.data(), pad, '0');
    n.size = minLength;
  }
  const std::size_t split = n.size - static_cast<std::size_t>(decimals);
  const std::size_t fraction =
      shownDecimals(n.data() + split, static_cast<std::size_t>(decimals), p);
  std::string text;
  text.reserve(split + fraction + 2);
  if (d.negative && !roundsToZero) text += '-';
  text.append(n.data(), split);
  if (fraction > 0) {
    text += '.';
    text.append(n.data() + split, fraction);
  }
  return text;
}

std::string formatScientific(const Decimal& d, const NumberPattern& p) {
  const int significant = 1 + p.decimals + p.optionalDecimals;
  Digits n;
  roundDigits(d, significant, n);
  int exponent = d.pointPosition - 1;
  const bool roundsToZero = allZero(n.view());
  if (roundsToZero) {
    exponent = 0;
  } else if (static_cast<int>(n.size) > significant) {  // 9.9996 → 10.000: one more place
    --n.size;
    ++exponent;
  }
  char exponentDigits[8];
  const auto end =
      std::to_chars(exponentDigits, exponentDigits + sizeof exponentDigits, std::abs(exponent)).ptr;
  const auto exponentLength = static_cast<std::size_t>(end - exponentDigits);
  const std::size_t fraction = shownDecimals(n.data() + 1, n.size - 1, p);
  std::string text;
  text.reserve(fraction + 12);
  if (d.negative && !roundsToZero) text += '-';
  text += n.data()[0];
  if (fraction > 0) {
    text += '.';
    text.append(n.data() + 1, fraction);
  }
  text += p.exponentLetter;
  text += exponent < 0 ? '-' : '+';
  const auto minExponentDigits = static_cast<std::size_t>(p.minExponentDigits);
  if (exponentLength < minExponentDigits) text.append(minExponentDigits - exponentLength, '0');
  text.append(exponentDigits, exponentLength);
  return text;
}

template <typename T>
std::string formatAny(T value, const NumberPattern& p) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
  const Decimal d = shortestDecimal(value);
  return p.scientific ? formatScientific(d, p) : formatFixed(d, p);
}

}  // namespace

// One pass over the pattern: integer part, then decimals after ".", then the exponent part
// after "e" or "E".
NumberPattern::NumberPattern(std::string_view pattern) {
  enum class Part { Integer, Fraction, Exponent };
  Part part = Part::Integer;
  int exponentZeros = 0;
  for (const char c : pattern) {
    if (part != Part::Exponent && (c == 'e' || c == 'E')) {
      part = Part::Exponent;
      scientific = true;
      exponentLetter = c;
    } else if (part == Part::Integer && c == '.') {
      part = Part::Fraction;
    } else if (c == '0') {
      if (part == Part::Integer) ++minIntegerDigits;
      if (part == Part::Fraction) ++decimals;
      if (part == Part::Exponent) ++exponentZeros;
    } else if (c == '#' && part == Part::Fraction) {
      ++optionalDecimals;
    }
  }
  minExponentDigits = std::max(2, exponentZeros);
}

std::string formatNumber(double value, std::string_view pattern) {
  return formatAny(value, NumberPattern(pattern));
}

std::string formatNumber(float value, std::string_view pattern) {
  return formatAny(value, NumberPattern(pattern));
}

std::string formatNumber(double value, const NumberPattern& pattern) {
  return formatAny(value, pattern);
}

std::string formatNumber(float value, const NumberPattern& pattern) {
  return formatAny(value, pattern);
}

// The shortest round-trip text of an IEEE double is at most 24 characters
// ("-2.2250738585072014e-308"), so the buffer below always holds it.
static_assert(std::numeric_limits<double>::is_iec559 &&
              std::numeric_limits<double>::max_digits10 == 17);

std::string shortestNumber(double value) {
  char buffer[32];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  return std::string(buffer, end);
}

}  // namespace kvt
