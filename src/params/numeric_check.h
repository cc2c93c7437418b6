// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>

namespace kvt {

// A numeric check that fired: the entry, the command step, and what went wrong in plain words.
struct NumericError {
  int step = 0;         // step of "Execute" (1 … 19), 0 inside a box rule
  std::string box;      // control name, e.g. "Text9"
  std::string message;  // e.g. "Ec: 1e34 × 100000 is beyond the single-precision range (overflow)."
};

// Rounds a double-precision result to single, as a stored field is. On x86-64 and every IEEE
// platform a value beyond the single range becomes an infinity, which the checks then report.
inline float toSingle(double value) {
  return static_cast<float>(value);
}

// What went wrong when a checked result was stored: an infinity is an overflow (or an entry
// already beyond range), a NaN an invalid operation such as 0 × ∞. Empty when the value is finite.
std::optional<std::string> singleFault(float stored);

}  // namespace kvt
