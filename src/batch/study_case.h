// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "batch_run.h"
#include "output/clock.h"
#include "summary_table.h"

namespace kvt {

struct StudyOptions;

// One case of a study as it comes back from its thread: its row of the summary, and what its
// figures need.
struct StudyCase {
  SummaryRow row;
  AnalysisParameters parameters;  // as committed, for the run's figures
  RunStart start;
  std::vector<std::string> files;  // the kept files, result file first
  std::vector<LoadSlipRow> curve;  // kept when a figure draws it
};

// Runs the cases of a study. Each case gets a private copy of the base file's entries with its
// values typed in, as a user would type them, committed as "Execute" commits them; with the
// required length sought, every trial length is typed into the lb box of another such copy.
// Cases share nothing, so any number of them may run at once.
class StudyCaseRunner {
 public:
  // `keepCurves`: every case keeps its load–slip response for the figures.
  StudyCaseRunner(const ParameterEntries& base, std::string baseResultFile,
                  const BatchOptions& options, const StudyOptions& study, const Clock& clock,
                  bool keepCurves);

  // The case at a grid index (0-based).
  StudyCase run(std::uint64_t gridRun) const;

 private:
  // The case's entries, with a length for the search; the numeric error of "Execute", if any.
  std::optional<std::string> enter(std::uint64_t gridRun, ParameterEntries& entries,
                                   const std::string* lb) const;
  RunWrites writesFor(std::uint64_t gridRun, AnalysisParameters& record) const;
  RequiredLength requiredLength(std::uint64_t gridRun, double yieldForce) const;

  const ParameterEntries& base_;
  std::string baseResultFile_;
  const BatchOptions& options_;
  const StudyOptions& study_;
  const Clock& clock_;
  bool keepCurves_;
};

}  // namespace kvt
