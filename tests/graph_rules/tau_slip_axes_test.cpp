// SPDX-License-Identifier: MIT
#include "graph_rules/tau_slip_axes.h"

#include <gtest/gtest.h>

namespace kvt {
namespace {

// A sequence of τ-s points as a run hands them over: whether each one leaves the range, and the
// axes after its rescale (if any).
struct Point {
  int step;
  double slip, tauAvg;
  bool leaves;
  double slipAxisMax, tauAxisMax;
};

TEST(TauSlipAxes, GrowByHalfAgainAndNeverShrink) {
  // The first scale comes from 1000·initialDs and tauMax/100 (initialDs 1e-5, tauMax 115.05).
  const Point points[] = {
      {0, 0.01, 1.1505, true, 0.015, 1.72575},
      // Step 1 never rescales, even far outside the range.
      {1, 0.1, 50, true, 0.015, 1.72575},
      {2, 0.02, 40, true, 0.03, 60},
      {3, 0.025, 45, false, 0.03, 60},  // 0.025 ≤ 0.03 and 45 ≤ 60: drawn as it is
      {4, 0.03, 60, false, 0.03, 60},   // on the triggers is still inside
      // Past the peak only the slip axis grows; the stress axis keeps its largest value.
      {5, 0.05, 30, true, 0.075, 60},
      {6, 0.06, 46, true, 0.09, 69},
  };
  TauSlipAxes axes;
  for (const Point& p : points) {
    SCOPED_TRACE(p.step);
    EXPECT_EQ(axes.leavesRange(p.slip, p.tauAvg), p.leaves);
    if (p.leaves) {
      EXPECT_EQ(axes.rescale(p.step, p.slip, p.tauAvg), p.step != 1);
    }
    EXPECT_DOUBLE_EQ(axes.slipAxisMax(), p.slipAxisMax);
    EXPECT_DOUBLE_EQ(axes.tauAxisMax(), p.tauAxisMax);
  }
  // The stress axis points upwards: zero at the bottom edge, the axis maximum at the top.
  EXPECT_DOUBLE_EQ(axes.y(0), 69);
  EXPECT_DOUBLE_EQ(axes.y(69), 0);
}

TEST(TauSlipAxes, ATriggerFollowsTheLastRescaleNotTheLargest) {
  TauSlipAxes axes;
  axes.rescale(2, 0.02, 40);  // triggers 0.03 and 60
  axes.rescale(5, 0.01, 10);  // triggers 0.015 and 15; the axes stay
  EXPECT_TRUE(axes.leavesRange(0.02, 10));
  EXPECT_TRUE(axes.leavesRange(0.01, 20));
  EXPECT_DOUBLE_EQ(axes.slipAxisMax(), 0.03);
  EXPECT_DOUBLE_EQ(axes.tauAxisMax(), 60);
}

}  // namespace
}  // namespace kvt
