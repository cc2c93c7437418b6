// SPDX-License-Identifier: MIT
#include "slip_fault.h"

#include <string>

#include "analysis_error.h"
#include "params/format_number.h"

namespace kvt {

void throwNotASlip(const char* law, double s) {
  throw ArithmeticError(ArithmeticError::Kind::InvalidOperation, law,
                        "the slip " + formatNumber(s, "0.000e+00") + " cm is not a slip");
}

}  // namespace kvt
