// SPDX-License-Identifier: MIT
#include "entry_quantity.h"

#include <array>

namespace kvt {

namespace {

constexpr auto kLength = Dimension::Length;
constexpr auto kStress = Dimension::Stress;
constexpr auto kPerLength = Dimension::PerLength;

constexpr std::array<EntryQuantity, 27> kEntries = {{
    {"cotAlpha", "cotα", 2, {}},
    {"beta", "β", 3, kPerLength, Unit::PerCm},
    {"deltaL", "Δl", 4, kLength},
    {"ru", "ru", 5, kLength},
    {"lb", "lb", 6, kLength},
    {"sigmaB", "σB", 7, kStress, Unit::KgfCm2},
    {"sigmaT", "σt", 8, kStress, Unit::KgfCm2},
    {"Ec", "Ec", 9, kStress, Unit::KgfCm2, 1e5},
    {"db", "db", 10, kLength},
    {"Ab", "Ab", 11, Dimension::Area, Unit::Cm2},
    {"phi", "φ", 12, kLength},
    {"Es", "Es", 13, kStress, Unit::KgfCm2, 1e6},
    {"pw", "pw", 14, {}, Unit::Cm, 1, "%"},
    {"C1", "C1", 15, kPerLength, Unit::PerCm},
    {"C2", "C2", 16, kPerLength, Unit::PerCm},
    {"reductionFactor", "reduction factor", 17, {}},
    {"tauU", "τu", 21, kStress, Unit::KgfCm2},
    {"su", "su", 22, kLength},
    {"ds", "initial ds", 20, kLength},
    {"bar", "bar diameter db", 0, kLength},
    {"law.fcm", "fcm", kLawEntry, kStress, Unit::MPa},
    {"law.fck", "fck", kLawEntry, kStress, Unit::MPa},
    {"law.c_clear", "clear cover c_clear", kLawEntry, kLength, Unit::Mm},
    {"law.c_min", "c_min", kLawEntry, kLength, Unit::Mm},
    {"law.c_max", "c_max", kLawEntry, kLength, Unit::Mm},
    {"law.km", "km", kLawEntry, {}},
    {"law.Ktr", "Ktr", kLawEntry, {}},
}};

}  // namespace

std::span<const EntryQuantity> entryQuantities() {
  return kEntries;
}

const EntryQuantity* findEntryQuantity(std::string_view name) {
  for (const EntryQuantity& entry : kEntries)
    if (entry.name == name) return &entry;
  return nullptr;
}

ShownUnit shownUnit(const EntryQuantity& entry, UnitSystem units) {
  if (!entry.dimension) {
    const std::string pure(entry.pureUnit);
    return {pure, pure.empty() ? "-" : pure, 1};
  }
  // A law's entries keep the law's own units, MPa and mm, in either system.
  if (entry.box == kLawEntry)
    return entry.unit == Unit::MPa ? ShownUnit{"MPa", "MPa", 1} : ShownUnit{"mm", "mm", 1};
  const bool si = units == UnitSystem::SI;
  switch (*entry.dimension) {
    case Dimension::Length:
      return si ? ShownUnit{"mm", "mm", 10} : ShownUnit{"cm", "cm", 1};
    case Dimension::Area:
      return si ? ShownUnit{"mm²", "mm2", 100} : ShownUnit{"cm²", "cm2", 1};
    case Dimension::PerLength:
      return si ? ShownUnit{"1/mm", "1/mm", 0.1} : ShownUnit{"1/cm", "1/cm", 1};
    case Dimension::Force:
      return si ? ShownUnit{"kN", "kN", kNewtonsPerKgf / 1000} : ShownUnit{"kgf", "kgf", 1};
    case Dimension::Stress:
      break;
  }
  // The Ec and Es boxes hold 10^5 and 10^6 kgf/cm²: 9.80665 and 98.0665 GPa.
  if (entry.scale == 1e5)
    return si ? ShownUnit{"GPa", "GPa", kNewtonsPerKgf}
              : ShownUnit{"10⁵ kgf/cm²", "1e5 kgf/cm2", 1};
  if (entry.scale == 1e6)
    return si ? ShownUnit{"GPa", "GPa", 10 * kNewtonsPerKgf}
              : ShownUnit{"10⁶ kgf/cm²", "1e6 kgf/cm2", 1};
  return si ? ShownUnit{"MPa", "MPa", kNewtonsPerKgf / 100} : ShownUnit{"kgf/cm²", "kgf/cm2", 1};
}

}  // namespace kvt
