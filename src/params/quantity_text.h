// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kvt {

// A quantity as a file or a command line gives it: a number and its unit ("38 MPa", "40mm",
// "3500 kgf/cm2"). Unlike an entry of the parameter window, which reads what it can, a quantity
// is read whole or refused: a value that decides a design is never half read.
enum class Dimension { Length, Area, Stress, Force, PerLength };

enum class Unit { Mm, Cm, M, Mm2, Cm2, MPa, GPa, KgfCm2, N, KN, Kgf, PerMm, PerCm, PerM };

struct QuantityValue {
  double number = 0;
  Unit unit = Unit::Mm;
};

struct QuantityReading {
  std::optional<QuantityValue> quantity;
  std::string problem;  // why there is none, in words: "\"kg\" is not a unit of stress (…)"
};

// A finite number in the C locale's form, blanks allowed before the unit, and one of the
// dimension's units: mm, cm, m; mm2, cm2 (mm², cm²); MPa, N/mm2 (N/mm²), GPa, kgf/cm2
// (kgf/cm²); N, kN, kgf; 1/mm, 1/cm, 1/m.
QuantityReading readQuantity(std::string_view text, Dimension dimension);

// A value given on a command line: a quantity with its unit as above, or a bare number, which
// keeps the meaning the option always gave it and is read in `bare`. `unitGiven` tells which.
struct ValueReading {
  std::optional<QuantityValue> quantity;
  bool unitGiven = false;
  std::string problem;
};
ValueReading readValue(std::string_view text, Dimension dimension, Unit bare);

// The quantity in `unit` of the same dimension; the number itself, unrounded, when it is already
// in that unit. One kgf is 9.80665 N by definition.
double inUnit(const QuantityValue& q, Unit unit);

// "mm", "MPa", "kgf/cm2": the ASCII name, as files and headers write it.
std::string_view unitText(Unit unit);

}  // namespace kvt
