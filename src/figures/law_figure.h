// SPDX-License-Identifier: MIT
#pragma once

#include <vector>

#include "analysis/run_law.h"
#include "analysis/units.h"
#include "figure.h"

namespace kvt {

// The slips (cm) at which the law changes branch, ascending: its kinks, and for kvt's own law
// the corners of its branches (the end of the ascending branch; in the bilinear variant the
// plateau's onset and su; where the descending branch reaches zero).
std::vector<double> lawCorners(const RunLaw& law, const AnalysisParameters& p);

// The slips at which a law is drawn from 0 to `end`: evenly spaced, and each corner with its
// neighbours on either side, so that a jump is drawn upright.
std::vector<double> lawSlips(const std::vector<double>& corners, double end);

// The law chosen for the next runs beside kvt's own law for the parameter window's entries, from
// zero slip to beyond the last corner of either. A law that its entries cannot form is left out.
Figure lawChoiceFigure(const LawEntries& law, const AnalysisParameters& p, UnitSystem units);

// "fib MC2010: fcm = 38 MPa, bond good, failure pull-out, c_clear = 8 mm": the law and its
// entries in one line, for a legend or a title.
std::string lawSummary(const LawEntries& law);

}  // namespace kvt
