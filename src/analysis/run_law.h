// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "bond_law.h"
#include "mc2010_law.h"
#include "params/analysis_parameters.h"
#include "tabulated_law.h"

namespace kvt {

// The bond law of a run. kvt's own law (the default) takes its entries from the parameter set;
// the others carry theirs. Each law offers `stress(s)` (throws `ArithmeticError` on a fault),
// `stressOrNaN(s)` (the march's inner loop), `peak()` (the run's reference stress τbmax) and
// `kinks()` (the slips, ascending, where τ or its slope jumps).
struct KvtLawEntries {};

struct TableEntries {
  std::string source;  // the file the points came from, for naming the law
  std::vector<LawPoint> points;
};

using LawEntries = std::variant<KvtLawEntries, Mc2010Entries, TableEntries>;
using RunLaw = std::variant<BondLaw, Mc2010Law, TabulatedLaw>;

// Forms the law once for a run. The MC2010 law takes the bar diameter from db. Throws as the
// law's constructor does.
RunLaw formRunLaw(const LawEntries& entries, const AnalysisParameters& p);

bool isKvtLaw(const LawEntries& entries);

// The law's name and entries as outputs show them: {"law", "fib MC2010"}, {"fcm", "38 MPa"}, …
struct LawEntryText {
  std::string name;
  std::string value;
};
std::vector<LawEntryText> describeLaw(const LawEntries& entries);

// "fib MC2010: fcm = 38 MPa, bond good, failure pull-out, c_clear = 8 mm, km = 0, Ktr = 0", a
// table by its file's name: the law and all its entries in one line, for a figure's title, a
// CSV file's comment line or a summary's column.
std::string lawSummary(const LawEntries& entries);

// The stress held beyond the law's last kink, from which slip on, for a law that has one.
// kvt's own law has none: it ends at zero stress or never falls.
struct Residual {
  double from = 0;    // cm
  double stress = 0;  // kgf/cm²
};
template <class Law>
std::optional<Residual> residualOf(const Law& law) {
  if constexpr (requires { law.residualFrom(); })
    return Residual{law.residualFrom(), law.residualStress()};
  else
    return std::nullopt;
}

}  // namespace kvt
