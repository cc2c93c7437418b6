// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "analysis/units.h"
#include "params/quantity_text.h"

namespace kvt {

// An entry of the parameter window as a study varies it: the name --vary gives it, the label the
// window shows, its box, and the kind of quantity it is, in the window's unit. A bar (D13 …)
// stands for db, Ab and φ together, and is shown by its diameter. The entries of an MC2010 law
// given with --law ("law.fcm") follow, in the law's own units (MPa, mm).
inline constexpr int kLawEntry = -1;
struct EntryQuantity {
  std::string_view name;
  std::string_view title;
  int box;                             // Text<box>; 0 for bar, kLawEntry for a law's
  std::optional<Dimension> dimension;  // none: a pure number (or a bar)
  Unit unit = Unit::Cm;                // the window's unit of the entry
  double scale = 1;                    // the box holds value / scale: Ec in 10^5, Es in 10^6
  std::string_view pureUnit = {};      // what a pure number is: "%" for pw, else nothing
};

// The entries in the order of the parameter file (initial ds, not in the file, then bar, then the
// law's entries).
std::span<const EntryQuantity> entryQuantities();
const EntryQuantity* findEntryQuantity(std::string_view name);

// How a study's summary and figures show an entry's values: the unit as a figure prints it
// ("mm", "kgf/cm²", "10⁵ kgf/cm²", "" for a pure number), as an ASCII header writes it ("mm",
// "kgf/cm2", "1e5 kgf/cm2", "-"), and the factor from the number in the box to the number shown.
// In kgf-cm the window's units; in SI lengths in mm, areas in mm², stresses in MPa, the moduli
// Ec and Es in GPa and β, C1, C2 in 1/mm.
struct ShownUnit {
  std::string symbol;
  std::string ascii;
  double factor = 1;
};
ShownUnit shownUnit(const EntryQuantity& entry, UnitSystem units);

}  // namespace kvt
