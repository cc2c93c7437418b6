// SPDX-License-Identifier: MIT
#include "segment_geometry.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "analysis_error.h"
#include "checked_single.h"

namespace kvt {

namespace {

// length·1000 rounded half to even, as a 32-bit integer.
std::int32_t thousandths(float length, const std::string& name) {
  requireFinite(length, name);
  const double rounded = std::nearbyint(static_cast<double>(length) * 1000.0);
  if (rounded < std::numeric_limits<std::int32_t>::min() ||
      rounded > std::numeric_limits<std::int32_t>::max())
    throw ArithmeticError(ArithmeticError::Kind::Overflow, name + "·1000",
                          "it is beyond the 32-bit integer range");
  return static_cast<std::int32_t>(rounded);
}

}  // namespace

SegmentGeometry segmentGeometry(float lb, float deltaL) {
  const std::int32_t L = thousandths(lb, "lb");
  const std::int32_t D = thousandths(deltaL, "Δl");
  if (D == 0)
    throw ArithmeticError(ArithmeticError::Kind::DivisionByZero, "the number of segments lb / Δl",
                          "Δl·1000 rounds to 0");
  SegmentGeometry g;
  // INT32_MIN / -1 is the one quotient that leaves the range.
  if (L == std::numeric_limits<std::int32_t>::min() && D == -1)
    throw ArithmeticError(ArithmeticError::Kind::Overflow, "the number of segments lb / Δl",
                          "it is beyond the 32-bit integer range");
  g.segmentCount = L / D + (L % D != 0 ? 1 : 0);
  g.displayStride = static_cast<int>((static_cast<std::int64_t>(g.segmentCount) + 9) / 10);
  return g;
}

}  // namespace kvt
