// SPDX-License-Identifier: MIT
#pragma once

#include <span>

namespace kvt {

// What the run knows before its first step.
struct RunStart {
  double tauMax = 0;      // peak of the bond law, the reference stress of the run
  int segmentCount = 0;   // segments of length Δl along the bar
  int displayStride = 0;  // every displayStride-th section goes to the profile table
  float initialDs = 0;    // slip increment of step 1, cm
  float deltaL = 0;       // segment length, cm
};

// One segment i of a step's march: x, slip and force of section i, paired with the bond stress
// of the segment's start section i − 1 (the march takes a segment's bond force from there).
struct SectionRow {
  int i = 0;
  double x = 0;         // i·Δl, distance of section i from the free end, cm
  double sNext = 0;     // slip at section i, cm
  double PNext = 0;     // bar force at section i, kgf
  double tau = 0;       // bond stress at section i − 1, kgf/cm²
  int displayRow = -1;  // row of the profile table (0 …), or −1 when the section is not shown
};

// The outcome of one step: one point of the load–slip response at the loaded end.
struct StepResult {
  int step = 0;
  double s0 = 0;              // free-end slip of the step, cm
  float ds = 0;               // slip increment at the step's start, cm
  double loadedEndSlip = 0;   // cm
  double loadedEndForce = 0;  // kgf
  double tauAvg = 0;          // average bond stress over the bonded surface, kgf/cm²
  double PMax = 0;            // largest loaded-end force so far
  double tauAvgMax = 0;       // largest tauAvg so far
};

// A step's point of the τ-s curve with the curve so far: histories indexed by step, index 0
// unused, valid up to and including `step`.
struct TauSlipPoint {
  int step = 0;
  double slip = 0;
  double tauAvg = 0;
  std::span<const double> slipHistory;
  std::span<const double> tauAvgHistory;
};

}  // namespace kvt
