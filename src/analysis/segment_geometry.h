// SPDX-License-Identifier: MIT
#pragma once

namespace kvt {

// How the bar is divided. Lengths are counted in thousandths of a centimetre, rounded to the
// nearest 32-bit integer (ties to even), so that a bond length that is not a whole number of
// segments still gets a whole last segment: lb = 20, Δl = 0.65 gives 31 segments (20.15 cm).
struct SegmentGeometry {
  int segmentCount = 0;
  int displayStride = 0;  // (segmentCount + 9) div 10: at most ten rows shown per step
};

// Throws `ArithmeticError`: division by zero when Δl·1000 rounds to 0, overflow when lb·1000 or
// Δl·1000 leaves the 32-bit range; `ParameterError` when either is negative.
SegmentGeometry segmentGeometry(float lb, float deltaL);

// The length the march analyses, cm: its segments end to end, lb rounded up to whole segments.
// In double, so that 31 segments of Δl = 0.65 (single precision) give 20.1499993, not a float
// rounded again.
double analysedLength(int segmentCount, float deltaL);

}  // namespace kvt
