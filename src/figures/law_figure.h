// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

#include "analysis/run_law.h"
#include "analysis/units.h"
#include "figure.h"

namespace kvt {

// τ(s) of a law from zero slip to `end` (cm), in the units asked for: evenly spaced slips, and
// each kink of the law with its neighbours on either side, so that a jump is drawn upright. A
// law that faults is drawn as far as it could be evaluated.
FigureCurve lawCurve(const RunLaw& law, double end, std::string title, UnitSystem units);

// Where a drawing of the law ends when nothing else decides: a fifth beyond its last kink.
double lawDrawingEnd(const RunLaw& law);

// The run's reference stress τbmax and the slip at which the law reaches it: kvt's own law's
// peak sample, the other laws' first kink at their peak (MC2010's s1, a table's highest point).
struct LawPeak {
  double tau = 0;
  double slip = 0;
};
LawPeak lawPeak(const RunLaw& law);

// The law chosen for the next runs beside kvt's own law for the parameter window's entries, from
// zero slip to beyond the last kink of either. A law that its entries cannot form is left out.
Figure lawChoiceFigure(const LawEntries& law, const AnalysisParameters& p, UnitSystem units);

}  // namespace kvt
