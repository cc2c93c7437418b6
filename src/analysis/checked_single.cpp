// SPDX-License-Identifier: MIT
#include "checked_single.h"

#include <cmath>

#include "analysis_error.h"
#include "params/numeric_check.h"

namespace kvt {

void requireFinite(float value, const std::string& name) {
  if (std::isnan(value))
    throw ArithmeticError(ArithmeticError::Kind::InvalidOperation, name, "it is not a number");
  if (std::isinf(value))
    throw ArithmeticError(ArithmeticError::Kind::Overflow, name,
                          "the entry is beyond the single-precision range");
}

float singleProduct(float a, float b, const std::string& quantity) {
  const float result = toSingle(static_cast<double>(a) * static_cast<double>(b));
  if (std::isinf(result))
    throw ArithmeticError(ArithmeticError::Kind::Overflow, quantity,
                          "the product is beyond the single-precision range");
  return result;
}

float singleQuotient(float a, float b, const std::string& quantity, const std::string& divisor) {
  if (b == 0) {
    if (a == 0)
      throw ArithmeticError(ArithmeticError::Kind::InvalidOperation, quantity,
                            "0 / 0, because " + divisor + " is zero");
    throw ArithmeticError(ArithmeticError::Kind::DivisionByZero, quantity, divisor + " is zero");
  }
  const float result = toSingle(static_cast<double>(a) / static_cast<double>(b));
  if (std::isinf(result))
    throw ArithmeticError(ArithmeticError::Kind::Overflow, quantity,
                          "the quotient is beyond the single-precision range");
  return result;
}

}  // namespace kvt
