// SPDX-License-Identifier: MIT
#pragma once

#include "analysis_parameters.h"

namespace kvt {

// The program-wide module that owns the shared parameter record. The desktop program has exactly
// one record for its whole life; windows reach it only through this accessor, so a test can put
// it back to its start state with `reset`.
class MODULE11 {
 public:
  static AnalysisParameters& analysisParameters();
  // Back to program start: every number 0, every text empty.
  static void reset();
};

}  // namespace kvt
