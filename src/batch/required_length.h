// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <string>

#include "analysis/run_record.h"

namespace kvt {

// The shortest bond length, on a 0.1 cm grid, at which the pull-out capacity Pbumax reaches the
// bar's yield force fy·Ab: from there on the bar yields before it pulls out. Lengths are counted
// in tenths of a centimetre, so 23.4 cm is 234 and every length is typed exactly.
struct RequiredLength {
  enum class Kind { Found, NotReached, Failed };
  Kind kind = Kind::NotReached;
  int tenths = 0;          // Found: the required length
  double PMax = 0;         // Found: Pbumax at that length
  int shorterTenths = 0;   // Found: 0.1 cm shorter, 0 when the answer is already 0.1 cm
  double shorterPMax = 0;  // Pbumax there, below the yield force
  int failedTenths = 0;    // Failed: the length whose run failed
  std::string failure;     // Failed: why
  int runs = 0;            // how many lengths were run
};

// The record of the case run at a length in tenths of a cm: its Pbumax (kgf), or why it failed.
using RunAtLength = std::function<RunRecord(int tenths)>;

// Pbumax grows with the bond length only by and large: the bar is cut into whole segments and
// the slip increment adapts to each run, so it may dip between two neighbouring lengths. The
// search therefore scans every 5 cm up to `maxTenths`, bisects within the first bracket in
// which the yield force is reached, and ends with the two lengths that straddle the answer: the
// answer reaches fy·Ab, the length 0.1 cm shorter does not. Each length is run once.
RequiredLength findRequiredLength(double yieldForce, int maxTenths, const RunAtLength& runAt);

// "23.4": a length in tenths of a cm as typed into the lb box.
std::string lengthText(int tenths);

}  // namespace kvt
