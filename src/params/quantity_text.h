// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kvt {

// A quantity as a file or a command line gives it: a number and its unit ("38 MPa", "40mm",
// "3500 kgf/cm2"). Unlike an entry of the parameter window, which reads what it can, a quantity
// is read whole or refused: a value that decides a design is never half read.
enum class Dimension { Length, Stress, Force };

enum class Unit { Mm, Cm, M, MPa, KgfCm2, N, KN, Kgf };

struct Quantity {
  double number = 0;
  Unit unit = Unit::Mm;
};

struct QuantityReading {
  std::optional<Quantity> quantity;
  std::string problem;  // why there is none, in words: "\"kg\" is not a unit of stress (…)"
};

// A finite number in the C locale's form, blanks allowed before the unit, and one of the
// dimension's units: mm, cm, m; MPa, N/mm2 (N/mm²), kgf/cm2 (kgf/cm²); N, kN, kgf.
QuantityReading readQuantity(std::string_view text, Dimension dimension);

// The quantity in `unit` of the same dimension; the number itself, unrounded, when it is already
// in that unit. One kgf is 9.80665 N by definition.
double inUnit(const Quantity& q, Unit unit);

// "mm", "MPa", "kgf/cm2": the ASCII name, as files and headers write it.
std::string_view unitText(Unit unit);

}  // namespace kvt
