// SPDX-License-Identifier: MIT
#pragma once

#include "params/analysis_parameters.h"

namespace kvt::testing {

// The parameter window's initial values as "Execute" stores them: k1 = C1·σt and k2 = C2·σt,
// each product rounded to single.
inline AnalysisParameters committedDefaults() {
  AnalysisParameters p;
  setDefaults(p);
  p.k1 = static_cast<float>(static_cast<double>(p.k1) * static_cast<double>(p.sigmaT));
  p.k2 = static_cast<float>(static_cast<double>(p.k2) * static_cast<double>(p.sigmaT));
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
