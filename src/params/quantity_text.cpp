// SPDX-License-Identifier: MIT
#include "quantity_text.h"

#include <charconv>
#include <cmath>

namespace kvt {

namespace {

struct UnitName {
  std::string_view text;
  Unit unit;
  Dimension dimension;
  double inBase;  // the unit in its dimension's base: mm, MPa, N
};

constexpr double kNewtonsPerKgf = 9.80665;

constexpr UnitName kUnits[] = {
    {"mm", Unit::Mm, Dimension::Length, 1},
    {"cm", Unit::Cm, Dimension::Length, 10},
    {"m", Unit::M, Dimension::Length, 1000},
    {"MPa", Unit::MPa, Dimension::Stress, 1},
    {"N/mm2", Unit::MPa, Dimension::Stress, 1},
    {"N/mm²", Unit::MPa, Dimension::Stress, 1},
    {"kgf/cm2", Unit::KgfCm2, Dimension::Stress, kNewtonsPerKgf / 100},
    {"kgf/cm²", Unit::KgfCm2, Dimension::Stress, kNewtonsPerKgf / 100},
    {"N", Unit::N, Dimension::Force, 1},
    {"kN", Unit::KN, Dimension::Force, 1000},
    {"kgf", Unit::Kgf, Dimension::Force, kNewtonsPerKgf},
};

const char* dimensionName(Dimension d) {
  switch (d) {
    case Dimension::Length:
      return "length (mm, cm, m)";
    case Dimension::Stress:
      return "stress (MPa, N/mm2, kgf/cm2)";
    case Dimension::Force:
      return "force (N, kN, kgf)";
  }
  return "";
}

const UnitName& nameOf(Unit unit) {
  for (const UnitName& n : kUnits)
    if (n.unit == unit) return n;
  return kUnits[0];
}

std::string_view trimmed(std::string_view s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

}  // namespace

QuantityReading readQuantity(std::string_view text, Dimension dimension) {
  const std::string_view t = trimmed(text);
  double number = 0;
  const auto [end, error] = std::from_chars(t.data(), t.data() + t.size(), number);
  if (error == std::errc::result_out_of_range)
    return {std::nullopt, "\"" + std::string(text) + "\" is beyond the range of numbers"};
  if (error != std::errc() || end == t.data())
    return {std::nullopt, "\"" + std::string(text) + "\" does not start with a number"};
  if (!std::isfinite(number))
    return {std::nullopt, "\"" + std::string(text) + "\" is not a finite number"};
  const std::string_view unit = trimmed(t.substr(static_cast<std::size_t>(end - t.data())));
  if (unit.empty())
    return {std::nullopt,
            "\"" + std::string(text) + "\" has no unit; give one of " + dimensionName(dimension)};
  for (const UnitName& n : kUnits)
    if (n.text == unit) {
      if (n.dimension != dimension) break;
      return {Quantity{number, n.unit}, {}};
    }
  return {std::nullopt,
          "\"" + std::string(unit) + "\" is not a unit of " + dimensionName(dimension)};
}

double inUnit(const Quantity& q, Unit unit) {
  if (q.unit == unit) return q.number;
  return q.number * nameOf(q.unit).inBase / nameOf(unit).inBase;
}

std::string_view unitText(Unit unit) {
  return nameOf(unit).text;
}

}  // namespace kvt
