// SPDX-License-Identifier: MIT
#pragma once

#include <span>
#include <vector>

#include "analysis/run_records.h"
#include "output/csv_export.h"
#include "params/analysis_parameters.h"

namespace kvt {

// What a run leaves for its figures and data files: the parameters it was made with, what it
// knew before its first step, and the load–slip response of every finished step. The sections
// along the bar are not kept: a step's distribution is marched again from its free-end slip s0
// when it is asked for, so a bar of 20,000 segments costs nothing per step.
struct RunRecord {
  AnalysisParameters parameters;
  RunStart start;
  std::vector<LoadSlipRow> rows;

  // The row of a step, or nullptr when the run did not finish that step.
  const LoadSlipRow* row(int step) const;
  // The step of the largest loaded-end force: the first step that reaches it; 0 before any step.
  int peakStep() const;
  // The sections of a finished step, bit for bit as the run handed them over.
  std::vector<SectionRow> sections(int step) const;
};

}  // namespace kvt
