// SPDX-License-Identifier: MIT
// parseNumber on any text: never crashes, and on a plain decimal number agrees with the
// standard library's own decimal reading (std::from_chars, a separate implementation), which
// also reads it in full. What is read of a text is read again, alone, as the same number.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <system_error>

#include "params/parse_number.h"

namespace {

// Optional sign, digits with at most one point (at least one digit), optional exponent.
bool isPlainDecimal(std::string_view text) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  int digits = 0;
  bool point = false;
  for (; i < text.size(); ++i) {
    if (text[i] >= '0' && text[i] <= '9') {
      ++digits;
    } else if (text[i] == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (digits == 0) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    int exponentDigits = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
      ++exponentDigits;
    if (exponentDigits == 0 || exponentDigits > 4) return false;
  }
  return i == text.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const double parsed = kvt::parseNumber(text);
  const kvt::NumberReading reading = kvt::readNumber(text);
  if (reading.used > text.size()) std::abort();
  const double again = kvt::parseNumber(text.substr(0, reading.used));
  if (!(again == parsed || (std::isnan(again) && std::isnan(parsed)))) std::abort();
  if (!isPlainDecimal(text)) return 0;
  if (reading.used != text.size()) std::abort();

  // from_chars takes no leading "+".
  std::string_view digits = text;
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  double expected = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), expected);
  if (error == std::errc::result_out_of_range) {
    // Beyond the range: an infinity, or a magnitude that underflows to (almost) zero.
    if (!(std::isinf(parsed) || std::fabs(parsed) < 1e-300)) std::abort();
    return 0;
  }
  if (error != std::errc() || end != digits.data() + digits.size()) std::abort();
  if (parsed != expected && !(parsed == 0 && expected == 0)) std::abort();
  return 0;
}
