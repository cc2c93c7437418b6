// SPDX-License-Identifier: MIT
#pragma once

#include <limits>
#include <optional>
#include <string>
#include <utility>

#include "error/error.h"

namespace kvt {

// Every check in the program reads an overflow as an infinity and an invalid operation as a NaN,
// and the stored fields are IEEE singles whose digits must be the same on every machine.
static_assert(std::numeric_limits<float>::is_iec559 && std::numeric_limits<double>::is_iec559,
              "single and double precision must be IEEE 754 binary32 and binary64");
// A single-precision operation is formed in double and rounded once to single. That gives the
// correctly rounded single result only because a double carries more than twice a single's
// digits plus two, so the first rounding can never decide the second.
static_assert(std::numeric_limits<double>::digits >= 2 * std::numeric_limits<float>::digits + 2,
              "a double must hold a product of two singles exactly");

// A numeric check that fired: the entry, the command step, and what went wrong in plain words.
// "Execute" throws it; a box's rule returns it, since the text stays and the typing goes on.
class NumericError : public Error {
 public:
  NumericError(int commandStep, std::string controlName, const std::string& words)
      : Error(ErrorKind::Parameter, words),
        step(commandStep),
        box(std::move(controlName)),
        message(words) {}

  int step = 0;         // step of "Execute" (1 … 19), 0 inside a box rule
  std::string box;      // control name, e.g. "Text9"
  std::string message;  // what(): "Ec: 1e34 × 100000 is beyond the single-precision range …"
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
