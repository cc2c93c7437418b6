// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <vector>

namespace kvt {

// The loaded end of the bar for one free-end slip.
struct LoadedEnd {
  double slip = 0;   // cm
  double force = 0;  // kgf
};

// The same with its derivatives with respect to the free-end slip s0.
struct LoadedEndSlope {
  double slip = 0;
  double force = 0;
  double slipPerS0 = 0;   // ∂s(lb)/∂s0
  double forcePerS0 = 0;  // ∂P(lb)/∂s0, kgf/cm
};

// One point of the distribution along the bar.
struct ProfilePoint {
  double x = 0;      // distance from the free end, cm
  double slip = 0;   // cm
  double force = 0;  // kgf
  double tau = 0;    // local bond stress, kgf/cm²
};

// One point of the converged load–slip curve. At the foot of a curve whose free end stays at
// rest while the bond spreads from the loaded end, s0 is 0 and the bar carries bond over
// `activeLength` only, next to the loaded end; elsewhere the whole bar does.
struct ConvergedPoint {
  double s0 = 0;              // free-end slip, cm
  double loadedEndSlip = 0;   // cm
  double loadedEndForce = 0;  // kgf
  double tauAvg = 0;          // loaded-end force over the bonded surface lb·φ, kgf/cm²
  double activeLength = 0;    // cm
};

// Pbumax and where it is reached. Where the force holds its maximum over a range of free-end
// slips (a bi-linear plateau carried by the whole bar), first and last bound that range;
// otherwise they are equal.
struct ConvergedPeak {
  double force = 0;  // Pbumax, kgf
  double tauAvg = 0;
  double firstS0 = 0, lastS0 = 0;
  double firstLoadedEndSlip = 0, lastLoadedEndSlip = 0;
};

// Why the curve ends where it does.
enum class ConvergedEnd {
  NoBondLeft,      // the law carries nothing beyond the free-end slip: the load is zero
  EndSlipSet,      // the free-end slip the user set
  EndSlipDefault,  // a law that never returns to zero: 20 × the loaded-end slip at Pbumax
};

struct ConvergedResult {
  std::vector<ConvergedPoint> points;  // by growing active length, then free-end slip
  ConvergedPeak peak;
  std::size_t peakIndex = 0;  // the point at peak.firstS0
  ConvergedEnd end = ConvergedEnd::NoBondLeft;
  double endS0 = 0;              // free-end slip of the last point, cm
  double length = 0;             // the analysed bond length: lb itself, cm
  double relativeTolerance = 0;  // of the integrator's error control
};

}  // namespace kvt
