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
  double inBase;  // the unit in its dimension's base: mm, mm², MPa, N, 1/m
};

constexpr double kNewtonsPerKgf = 9.80665;

constexpr UnitName kUnits[] = {
    {"mm", Unit::Mm, Dimension::Length, 1},
    {"cm", Unit::Cm, Dimension::Length, 10},
    {"m", Unit::M, Dimension::Length, 1000},
    {"mm2", Unit::Mm2, Dimension::Area, 1},
    {"mm²", Unit::Mm2, Dimension::Area, 1},
    {"cm2", Unit::Cm2, Dimension::Area, 100},
    {"cm²", Unit::Cm2, Dimension::Area, 100},
    {"MPa", Unit::MPa, Dimension::Stress, 1},
    {"GPa", Unit::GPa, Dimension::Stress, 1000},
    {"N/mm2", Unit::MPa, Dimension::Stress, 1},
    {"N/mm²", Unit::MPa, Dimension::Stress, 1},
    {"kgf/cm2", Unit::KgfCm2, Dimension::Stress, kNewtonsPerKgf / 100},
    {"kgf/cm²", Unit::KgfCm2, Dimension::Stress, kNewtonsPerKgf / 100},
    {"N", Unit::N, Dimension::Force, 1},
    {"kN", Unit::KN, Dimension::Force, 1000},
    {"kgf", Unit::Kgf, Dimension::Force, kNewtonsPerKgf},
    {"1/mm", Unit::PerMm, Dimension::PerLength, 1000},
    {"1/cm", Unit::PerCm, Dimension::PerLength, 100},
    {"1/m", Unit::PerM, Dimension::PerLength, 1},
};

const char* dimensionName(Dimension d) {
  switch (d) {
    case Dimension::Length:
      return "length (mm, cm, m)";
    case Dimension::Area:
      return "area (mm2, cm2)";
    case Dimension::Stress:
      return "stress (MPa, N/mm2, GPa, kgf/cm2)";
    case Dimension::Force:
      return "force (N, kN, kgf)";
    case Dimension::PerLength:
      return "inverse length (1/mm, 1/cm, 1/m)";
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

ValueReading readValue(std::string_view text, Dimension dimension, Unit bare) {
  std::string_view t = trimmed(text);
  if (t.size() > 1 && t[0] == '+' && t[1] != '-') t.remove_prefix(1);
  double number = 0;
  const auto [end, error] = std::from_chars(t.data(), t.data() + t.size(), number);
  if (error == std::errc() && end == t.data() + t.size() && std::isfinite(number))
    return {QuantityValue{number, bare}, false, {}};
  QuantityReading reading = readQuantity(text, dimension);
  return {reading.quantity, true, std::move(reading.problem)};
}

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
      return {QuantityValue{number, n.unit}, {}};
    }
  return {std::nullopt,
          "\"" + std::string(unit) + "\" is not a unit of " + dimensionName(dimension)};
}

double inUnit(const QuantityValue& q, Unit unit) {
  if (q.unit == unit) return q.number;
  return q.number * nameOf(q.unit).inBase / nameOf(unit).inBase;
}

std::string_view unitText(Unit unit) {
  return nameOf(unit).text;
}

}  // namespace kvt
