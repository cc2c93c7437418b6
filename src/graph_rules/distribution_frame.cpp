// SPDX-License-Identifier: MIT
#include "distribution_frame.h"

#include <cstdint>
#include <limits>
#include <string>

namespace kvt {

LineWidthOverflow::LineWidthOverflow(int width)
    : AnalysisError("The distribution graph's zero line would be " + std::to_string(width) +
                    "·2 pixels wide, beyond the largest line width (32767).") {}

DistributionFrame::DistributionFrame(double tauMax, int segmentCount)
    : left(1), top(-0.12 * tauMax), right(segmentCount), bottom(1.1 * tauMax), base(bottom + top) {}

int zeroLineWidth(int tauSlipLineWidth) {
  const long doubled = 2L * tauSlipLineWidth;
  if (doubled > std::numeric_limits<std::int16_t>::max() ||
      doubled < std::numeric_limits<std::int16_t>::min())
    throw LineWidthOverflow(tauSlipLineWidth);
  return static_cast<int>(doubled);
}

}  // namespace kvt
