// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "analysis/run_law.h"
#include "batch/batch_command_line.h"
#include "batch/study_run.h"
#include "case_entries.h"
#include "output/clock.h"
#include "signal_watch.h"

namespace kvt::python {

// A study of a case in hand, run by kvt-batch's study engine. Its options are kvt-batch's own
// (--vary, --find-lb, --fy, --lb-max, --codes and the codes' factors, --units, -j, --yes), read
// by kvt-batch's parser, so a script meets every rule and every refusal of the command line in
// its words; the law is the case's. The summary's lines are kvt-batch's, byte for byte; nothing
// is written.
class CaseStudy {
 public:
  // Throws `UsageError` for options kvt-batch would refuse.
  CaseStudy(const CaseEntries& base, const LawEntries& law,
            const std::vector<std::string>& options);
  ~CaseStudy();

  std::uint64_t size() const { return study_->runCount(); }
  // What the user should know before anything runs: a range that stops short of its stop.
  const std::vector<std::string>& notes() const { return command_.notes; }
  std::string header() const { return table_->header(); }
  // One case of the grid (0-based), on the calling thread.
  SummaryRow row(std::uint64_t run) const { return runner_->run(run).row; }
  std::string line(const SummaryRow& row) const { return table_->line(row); }
  // Every case on kvt's own threads, the lines in grid order. `progress(done, total)` is called
  // on the calling thread at most five times a second. Ctrl+C ends the study once the cases
  // under way have finished; the watch then holds the interrupt.
  std::vector<std::string> lines(const std::function<void(std::uint64_t, std::uint64_t)>& progress,
                                 SignalWatch& watch) const;

 private:
  CaseEntries base_;
  BatchCommand command_;
  SystemClock clock_;
  std::unique_ptr<Study> study_;
  std::unique_ptr<StudyCaseRunner> runner_;
  std::unique_ptr<SummaryTable> table_;
};

}  // namespace kvt::python
