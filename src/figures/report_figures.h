// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <span>
#include <string>

#include "analysis/run_record.h"
#include "analysis/units.h"
#include "figure.h"

namespace kvt {

// The four report figures of a run, in the chosen units. Each title names the figure and the
// case: its name (`RunRecord::caseName`), db and lb. A `selectedStep` of 0 marks no
// step.

// Bar force at the loaded end against the slip at the loaded end and at the free end (s0), with
// the peak (Pbumax) marked; with the bar's yield stress fy (kgf/cm²), its yield force fy·Ab as a
// guide across the figure.
Figure loadSlipFigure(const RunRecord& run, UnitSystem units, int selectedStep = 0,
                      std::optional<double> fy = std::nullopt);
// Average bond stress against loaded-end slip, with τbumax marked.
Figure tauSlipFigure(const RunRecord& run, UnitSystem units, int selectedStep = 0);
// Slip, bar force and local bond stress along the bar at one step, in three stacked panels.
Figure profileFigure(const RunRecord& run, int step, std::span<const SectionRow> sections,
                     UnitSystem units);
// The local bond law τ(s) from s = 0 to the largest slip of the run, with τbmax marked.
Figure bondLawFigure(const RunRecord& run, UnitSystem units);

// "beam 1, db = 1.3 cm, lb = 20 cm": the case's name (`caseName`) and its sizes; a case without a
// name by its sizes alone.
std::string caseTitle(const AnalysisParameters& p, UnitSystem units, const CaseSource& source = {});
std::string caseTitle(const RunRecord& run, UnitSystem units);

// A value in a label, to about four significant digits, without trailing zeros.
std::string labelNumber(double value);

// "kgf/cm²", "MPa": the unit as printed on a figure or a window.
std::string unitSymbol(Quantity q, UnitSystem units);

}  // namespace kvt
