// SPDX-License-Identifier: MIT
#pragma once

#include <set>
#include <string>
#include <vector>

#include "analysis/units.h"
#include "codes/anchorage_case.h"
#include "params/analysis_parameters.h"

namespace kvt {

// The design codes asked for beside the simulated required length, and the factors each reads.
// The bar comes from the case (φ = db, fck = σB) and fy from --fy; everything else from options,
// each at the codes' recommended value unless given.
struct CodeRequest {
  std::vector<codes::DesignCode> codes;
  codes::AnchorageCase factors;  // φ, fck and fy are the case's; the rest as given or default
  std::set<std::string> given;   // the factors' names that options gave ("cover", "γc", …)
};

// The case as the codes read it: φ = db (mm), fck = σB (MPa), fy (kgf/cm²) in MPa.
codes::AnchorageCase anchorageCaseOf(const AnalysisParameters& p, double fyKgfCm2,
                                     const codes::AnchorageCase& factors);

// "cover 40 mm, bond good, γc 1.5, γs 1.15, …": every factor the codes read, a default marked
// "(default)".
std::string codeFactorsText(const CodeRequest& request);

// The heading of a code's column in a summary, its basis stated and without a comma:
// "EN 1992-1-1:2004 design lbd (cm)", "fib MC2010 mean lb (cm)".
std::string codeColumnTitle(codes::DesignCode code, UnitSystem units);

// A code's length in the units of the output, to 0.1 cm or 1 mm as typed: "41.3", "413".
std::string codeLengthText(double lengthMm, UnitSystem units);

// What `kvt-batch --codes … FILE.kvt` prints for one case: its bar and strengths, then a line a
// code with its length, basis, equation and the quantities found on the way.
std::string codeLengthsReport(const std::string& caseName, const AnalysisParameters& p,
                              double fyKgfCm2, const CodeRequest& request, UnitSystem units);

}  // namespace kvt
