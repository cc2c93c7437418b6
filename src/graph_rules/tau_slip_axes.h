// SPDX-License-Identifier: MIT
//
// The rules of the two graph windows, free of any window: when and how far the τ-s graph's axes
// grow, and the coordinate system and zero line of the distribution graph. The windows draw
// what these rules decide, so the rules can be checked without a display.
#pragma once

namespace kvt {

// The axes of the τ-s graph: the slip at the right edge and the bond stress at the top edge.
// A rescale for a point sets the triggers to 1.5 times that point and lets each axis grow to its
// trigger; the axes never shrink, so after the peak, when the stress falls while the slip grows,
// only the slip axis moves. y grows downwards in the graph's coordinate system, so a stress is
// drawn at `tauAxisMax − tauAvg`.
class TauSlipAxes {
 public:
  // Whether a step's point lies beyond the range of the last rescale in either direction.
  bool leavesRange(double slip, double tauAvg) const {
    return slip > slipAxisTrigger_ || tauAvg > tauAxisTrigger_;
  }
  // Rescales for the point of `step`; false (nothing changed) for step 1, which never rescales,
  // even when its point lies outside the first range.
  bool rescale(int step, double slip, double tauAvg);

  double slipAxisMax() const { return slipAxisMax_; }
  double tauAxisMax() const { return tauAxisMax_; }
  double y(double tauAvg) const { return tauAxisMax_ - tauAvg; }

 private:
  double slipAxisMax_ = 0;
  double tauAxisMax_ = 0;
  double slipAxisTrigger_ = 0;
  double tauAxisTrigger_ = 0;
};

}  // namespace kvt
