// SPDX-License-Identifier: MIT
#pragma once

#include "params/analysis_parameters.h"
#include "params/commit_parameters.h"
#include "params/parameter_entries.h"

namespace kvt::testing {

// The parameter window's initial values as "Execute" stores them: the window's boxes filled by
// its load step, then committed (k1 = C1·σt and k2 = C2·σt, each product rounded to single).
inline AnalysisParameters committedDefaults() {
  AnalysisParameters p;
  ParameterEntries entries(p);
  entries.loadDefaults();
  commitParameters(entries.texts(), p);
  return p;
}

// The same with the perfect elastic–plastic bilinear law: τu = 50 kgf/cm², su = 0.05 cm.
inline AnalysisParameters committedBilinear() {
  AnalysisParameters p = committedDefaults();
  p.tauU = 50.0f;
  p.su = 0.05f;
  return p;
}

}  // namespace kvt::testing
