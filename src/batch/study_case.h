// SPDX-License-Identifier: MIT
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "batch_run.h"
#include "output/clock.h"
#include "summary_table.h"

namespace kvt {

struct StudyOptions;

// One case of a study as it comes back from its thread: its row of the summary, with the run's
// record, and the files it kept.
struct StudyCase {
  SummaryRow row;
  std::vector<std::string> files;  // the kept files, result file first
  std::string resultName;          // the kept run's result file, written or (another law) not
};

// Runs the cases of a study. Each case gets a private copy of the base file's entries with its
// values typed in, as a user would type them, committed as "Execute" commits them; with the
// required length sought, every trial length is typed into the lb box of another such copy.
// Cases share nothing, so any number of them may run at once.
class StudyCaseRunner {
 public:
  // `base` names the base case: its file, and what changed in it since it was loaded.
  StudyCaseRunner(const ParameterEntries& base, CaseSource baseSource, std::string baseResultFile,
                  const BatchOptions& options, const StudyOptions& study, const Clock& clock);

  // The case at a grid index (0-based).
  StudyCase run(std::uint64_t gridRun) const;
  // The case with lb typed as a length in tenths of a cm, as the search for the required length
  // runs it; writes nothing. A refused entry comes back as a failed record.
  RunRecord runAtLength(std::uint64_t gridRun, int tenths) const;
  // How many lengths the searches for the required length have run so far, on every thread:
  // a search runs dozens, and a case may take long.
  std::uint64_t lengthsRun() const { return lengthsRun_; }

 private:
  // The case's entries, with a length for the search, committed; throws the `NumericError` of a
  // box's rule or of "Execute".
  void enter(std::uint64_t gridRun, ParameterEntries& entries, const std::string* lb) const;
  // The case's bond law: the study's, with the case's values of its varied entries.
  LawEntries law(std::uint64_t gridRun) const;
  std::string changes(std::uint64_t gridRun) const;
  RunWrites writesFor(std::uint64_t gridRun, AnalysisParameters& record) const;
  RequiredLength requiredLength(std::uint64_t gridRun, double yieldForce) const;

  const ParameterEntries& base_;
  CaseSource baseSource_;
  std::string baseResultFile_;
  const BatchOptions& options_;
  const StudyOptions& study_;
  const Clock& clock_;
  mutable std::atomic<std::uint64_t> lengthsRun_ = 0;
};

}  // namespace kvt
