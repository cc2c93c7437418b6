// SPDX-License-Identifier: MIT
#include "graph_rules/distribution_frame.h"

#include <gtest/gtest.h>

namespace kvt {
namespace {

TEST(DistributionFrame, SpansTheBarAndPutsZeroStressAtNinetyEightPerCent) {
  const DistributionFrame frame(115.05, 31);
  EXPECT_DOUBLE_EQ(frame.left, 1);
  EXPECT_DOUBLE_EQ(frame.right, 31);
  EXPECT_DOUBLE_EQ(frame.top, -0.12 * 115.05);
  EXPECT_DOUBLE_EQ(frame.bottom, 1.1 * 115.05);
  EXPECT_NEAR(frame.base, 0.98 * 115.05, 1e-12);
  // A stress is drawn above the zero line, the peak stress 0.12·tauMax below the top edge.
  EXPECT_DOUBLE_EQ(frame.y(0), frame.base);
  EXPECT_NEAR(frame.y(115.05) - frame.top, 0.1 * 115.05, 1e-12);
}

TEST(DistributionFrame, ZeroLineIsTwiceAsWideWithinTheSixteenBitRange) {
  struct Case {
    int width;
    int doubled;  // 0: overflow
  };
  const Case cases[] = {{1, 2}, {3, 6}, {16383, 32766}, {16384, 0}, {20000, 0}, {-16385, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    if (c.doubled)
      EXPECT_EQ(zeroLineWidth(c.width), c.doubled);
    else
      EXPECT_THROW(zeroLineWidth(c.width), LineWidthOverflow);
  }
}

}  // namespace
}  // namespace kvt
