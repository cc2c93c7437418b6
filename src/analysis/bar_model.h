// SPDX-License-Identifier: MIT
#pragma once

#include "params/analysis_parameters.h"

namespace kvt {

// The bar of a pull-out analysis as a continuum: bond perimeter φ (cm), axial stiffness Es·Ab
// (kgf) and the bond length (cm), the entered lb itself rather than a whole number of segments.
struct BarModel {
  double phi = 0;
  double EsAb = 0;
  double length = 0;
};

// Es·Ab is formed in single precision, as the march forms it, so that both methods solve the
// same bar. Throws `ArithmeticError` when the product overflows and `ParameterError` when φ,
// Es·Ab or lb is not positive (no bond, no stiffness or no bar to analyse).
BarModel barModelOf(const AnalysisParameters& p);

}  // namespace kvt
