// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

namespace kvt {

// The units results are shown and exported in. The analysis and the result file are always in
// kgf and cm, as entered; SI is for today's codes and journals: force in kN, slip and length in
// mm, stress in MPa.
enum class UnitSystem { KgfCm, SI };

enum class Quantity { Force, Length, Stress };

// One kilogram-force is 9.80665 N by definition, so 1 kgf = 0.00980665 kN and
// 1 kgf/cm² = 9.80665 N / 100 mm² = 0.0980665 MPa.
inline constexpr double kNewtonsPerKgf = 9.80665;

// The factor from kgf-cm to `units`: a computed value is converted once, by one multiplication.
constexpr double unitFactor(Quantity q, UnitSystem units) {
  if (units == UnitSystem::KgfCm) return 1.0;
  switch (q) {
    case Quantity::Force:
      return kNewtonsPerKgf / 1000.0;
    case Quantity::Length:
      return 10.0;
    case Quantity::Stress:
      return kNewtonsPerKgf / 100.0;
  }
  return 1.0;
}

constexpr double inUnits(double value, Quantity q, UnitSystem units) {
  return units == UnitSystem::KgfCm ? value : value * unitFactor(q, units);
}

// ASCII names, for CSV headers and file names: "kgf", "cm", "kgf/cm2"; "kN", "mm", "MPa".
constexpr std::string_view unitName(Quantity q, UnitSystem units) {
  const bool si = units == UnitSystem::SI;
  switch (q) {
    case Quantity::Force:
      return si ? "kN" : "kgf";
    case Quantity::Length:
      return si ? "mm" : "cm";
    case Quantity::Stress:
      return si ? "MPa" : "kgf/cm2";
  }
  return "";
}

}  // namespace kvt
