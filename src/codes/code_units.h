// SPDX-License-Identifier: MIT
#pragma once

namespace kvt::codes {

// The codes are written in MPa and mm (ACI 318 in psi and inches); kvt works in kgf and cm.
// One kilogram-force is 9.80665 N by definition, so 1 kgf/cm² = 0.0980665 MPa.
inline constexpr double kMpaPerKgfCm2 = 0.0980665;
inline constexpr double kMmPerCm = 10.0;
// One inch is 25.4 mm and one pound-force 4.4482216152605 N, both by definition, so
// 1 psi = 4.4482216152605 N / 645.16 mm² = 0.006894757293168361 MPa.
inline constexpr double kMmPerInch = 25.4;
inline constexpr double kMpaPerPsi = 0.006894757293168361;

}  // namespace kvt::codes
