// SPDX-License-Identifier: MIT
#pragma once

#include <span>
#include <string>
#include <vector>

#include "analysis/compared_runs.h"
#include "analysis/units.h"
#include "figure.h"

namespace kvt {

// The report figures with several runs overlaid, each run in one colour and dash pattern in
// every figure (its place in `runs`), named by its `name`; a run's converged answer, where
// given, over it in the same colour, in short dashes.

// Bar force at the loaded end against its slip, each run's Pbumax marked; a measured curve, if
// given, as one more curve with markers.
Figure comparedLoadSlipFigure(std::span<const ComparedRun> runs, const MeasuredCurve* measured,
                              UnitSystem units);
// Average bond stress against the loaded-end slip, each run's τbumax marked.
Figure comparedTauSlipFigure(std::span<const ComparedRun> runs, UnitSystem units);
// Slip, bar force and local bond stress along the bar, each run at its own step of Pbumax, with
// that step's sections (`sections[k]` for `runs[k]`).
Figure comparedProfileFigure(std::span<const ComparedRun> runs,
                             std::span<const std::vector<SectionRow>> sections, UnitSystem units);
// Each run's bond law from zero slip to the largest slip of any of the runs.
Figure comparedBondLawFigure(std::span<const ComparedRun> runs, UnitSystem units);

}  // namespace kvt
