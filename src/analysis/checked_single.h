// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace kvt {

// Checked arithmetic on single-precision parameters: each operation is formed in double and
// rounded once to single, as the stored fields always were, and an overflow, a division by zero
// or an invalid operation throws `ArithmeticError` naming the quantity.

// A parameter that is already infinite (its entry was beyond the single range) or not a number.
void requireFinite(float value, const std::string& name);

float singleProduct(float a, float b, const std::string& quantity);
float singleQuotient(float a, float b, const std::string& quantity, const std::string& divisor);

}  // namespace kvt
