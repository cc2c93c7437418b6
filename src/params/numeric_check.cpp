// SPDX-License-Identifier: MIT
#include "numeric_check.h"

#include <cmath>

namespace kvt {

std::optional<std::string> singleFault(float stored) {
  if (std::isnan(stored)) return "invalid operation";
  if (std::isinf(stored)) return "overflow: beyond the single-precision range";
  return std::nullopt;
}

}  // namespace kvt
