// SPDX-License-Identifier: MIT
//
// What a comparison of runs shows: kept runs side by side, each with the converged answer for
// its case where asked, and a load–slip curve measured in a test beside them. The figures, the
// table and the CSV files of a comparison all read these.
#pragma once

#include <string>
#include <vector>

#include "run_record.h"

namespace kvt {

// One run of a comparison: its record, its number in the session ("run 3"), the name its curves
// take in the legends (the entries in which it differs from the others, `comparisonNames`), and
// the converged answer for the same case where it was asked for: a record of the converged
// curve, its rows the points of the curve, read as a run's are.
struct ComparedRun {
  const RunRecord* run = nullptr;
  int number = 0;
  std::string name;
  const RunRecord* converged = nullptr;
};

// A load–slip curve measured in a pull-out test: the slip at the loaded end and the pull-out
// force, in cm and kgf, in the order measured (a test may unload, so neither need grow).
struct MeasuredCurve {
  std::string name;  // what it is called in a legend: its file's name
  std::vector<double> slip;
  std::vector<double> force;
};

}  // namespace kvt
