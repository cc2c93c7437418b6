// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "analysis/compared_runs.h"
#include "analysis/units.h"

namespace kvt {

// The runs of a comparison side by side: a row per entry (as entered, in the parameter window's
// units) and per result (in the units chosen), a column per run. A run without a value (a law's
// entry its law does not have, a converged answer not asked for) has an empty cell.
struct ComparisonCell {
  std::string text;              // an entry as entered, an outcome in words
  std::optional<double> number;  // a result, in the row's unit
};

struct ComparisonRow {
  std::string quantity;  // "db", "Pbumax"
  std::string unit;      // "cm", "kN"; empty for a ratio or a text
  std::vector<ComparisonCell> cells;
};

std::vector<ComparisonRow> comparisonTable(std::span<const ComparedRun> runs, UnitSystem units);

// The table as CSV: "quantity,unit,run 1,run 3,…", then a row of the runs' names, then a row per
// entry and result; numbers in their shortest round-trip form.
std::string comparisonTableCsv(std::span<const ComparedRun> runs, UnitSystem units);

// The overlaid curves as CSV, a row per point, the first column naming its curve: the load–slip
// response of each run (the columns of kvt's load–slip CSV), its converged answer where asked
// ("… (converged)", its points numbered as steps), and the measured curve ("… (measured)", slip and
// force only).
std::string comparedLoadSlipCsv(std::span<const ComparedRun> runs, const MeasuredCurve* measured,
                                UnitSystem units);
// The distribution along the bar of each run at its step of Pbumax (`sections[k]` for runs[k]).
std::string comparedProfileCsv(std::span<const ComparedRun> runs,
                               std::span<const std::vector<SectionRow>> sections, UnitSystem units);

}  // namespace kvt
