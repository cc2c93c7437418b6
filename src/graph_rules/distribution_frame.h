// SPDX-License-Identifier: MIT
#pragma once

#include "analysis/analysis_error.h"

namespace kvt {

// The zero line's width would not fit the 16-bit range of a line width.
class LineWidthOverflow : public AnalysisError {
 public:
  explicit LineWidthOverflow(int width);
};

// The coordinate system of the distribution graph, fixed at run start: the segment index from 1
// (free end, left) to `segmentCount` (loaded end, right), and the bond stress from 1.1·tauMax at
// the bottom edge to −0.12·tauMax at the top edge, with y growing downwards. Zero stress lies at
// `base` = 0.98·tauMax, and a stress τ is drawn at base − τ, so it rises above the zero line.
struct DistributionFrame {
  DistributionFrame() = default;
  DistributionFrame(double tauMax, int segmentCount);

  double left = 1, top = 0, right = 1, bottom = 0;
  double base = 0;

  double y(double tau) const { return base - tau; }
};

// The zero line stands out at twice the width of the τ-s graph's lines; beyond the 16-bit range
// of a line width that is an overflow, which ends the run.
int zeroLineWidth(int tauSlipLineWidth);

}  // namespace kvt
