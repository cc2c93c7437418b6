// SPDX-License-Identifier: MIT
#include "segment_geometry.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "analysis_error.h"
#include "checked_single.h"
#include "params/format_number.h"

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

std::string negativeLength(const std::string& name, float length) {
  return "The " + name + " is negative (" + formatNumber(length, "##0.00") +
         " cm): the bar cannot be divided into segments. Enter a positive length.";
}

}  // namespace

SegmentGeometry segmentGeometry(float lb, float deltaL) {
  const std::int32_t L = thousandths(lb, "lb");
  const std::int32_t D = thousandths(deltaL, "Δl");
  if (D == 0)
    throw ArithmeticError(ArithmeticError::Kind::DivisionByZero, "the number of segments lb / Δl",
                          "Δl·1000 rounds to 0");
  // A negative length is no bar at all. Left to the division, a negative lb gives no segment and
  // a negative lb with a negative Δl a mirrored bar with negative forces, neither of them a
  // result anyone could use.
  if (L < 0) throw ParameterError(negativeLength("bond length lb", lb));
  if (D < 0) throw ParameterError(negativeLength("segment length Δl", deltaL));
  SegmentGeometry g;
  // INT32_MIN / -1 is the one quotient that leaves the range.
  if (L == std::numeric_limits<std::int32_t>::min() && D == -1)
    throw ArithmeticError(ArithmeticError::Kind::Overflow, "the number of segments lb / Δl",
                          "it is beyond the 32-bit integer range");
  g.segmentCount = L / D + (L % D != 0 ? 1 : 0);
  g.displayStride = static_cast<int>((static_cast<std::int64_t>(g.segmentCount) + 9) / 10);
  return g;
}

double analysedLength(int segmentCount, float deltaL) {
  return segmentCount * static_cast<double>(deltaL);
}

}  // namespace kvt
