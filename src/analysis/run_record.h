// SPDX-License-Identifier: MIT
//
// The record of a run: the one product of a run, which every reader takes. The windows, "Save
// data…", the CSV files, the figures, kvt-batch's result line and a study's summary all read a
// `RunRecord` and derive nothing of their own: the step of Pbumax, the case's name and the
// run's outcome are answered here once.
//
// A record holds
//   - a copy of the parameters the run was made with, and where they came from (`CaseSource`);
//   - the run's bond law (kvt's own unless another was chosen);
//   - what the run knew before its first step (`RunStart`: tauMax, the segments, Δl);
//   - one `LoadSlipRow` per finished step: s0, the loaded end's slip and force, τavg;
//   - the outcome: running, finished, cancelled, stopped at the step limit, or failed with the
//     error's kind and words.
// Nothing per section is kept. A step's distribution along the bar is marched again from the
// step's s0 when it is asked for (`sections`), so a bar of 20,000 segments costs nothing per step.
//
// A `RunRecorder` fills a record from a run's hand-over points; a run's failure arrives as an
// exception, which whoever runs it hands to `fail`. `recordRun` does both for a caller that
// only wants the record. The converged analysis fills a record of its own (converged_record.h):
// its rows are the curve's points, numbered as steps, its Pbumax is where its search placed it,
// and a point's sections come from its solution's dense output instead of a replayed march.
#pragma once

#include <exception>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "analysis_error.h"
#include "converged_records.h"
#include "params/analysis_parameters.h"
#include "params/case_name.h"
#include "run_law.h"
#include "run_observer.h"
#include "run_records.h"

namespace kvt {

// One point of the load–slip response at the loaded end.
struct LoadSlipRow {
  int step = 0;
  double s0 = 0;              // free-end slip, cm
  double loadedEndSlip = 0;   // cm
  double loadedEndForce = 0;  // kgf
  double tauAvg = 0;          // average bond stress, kgf/cm²
};

// A step's row of the load–slip response.
LoadSlipRow loadSlipRow(const StepResult& result);

// How a record's response was computed: the march of segments (the windows' run and the result
// file), or the converged analysis (the same bar solved over lb itself to a stated accuracy).
enum class RunMethod { Segments, Converged };

// "segments", "converged": the method's name on the command line and in a summary.
const char* methodName(RunMethod method);

class RunRecord {
 public:
  enum class Outcome { Running, Finished, Cancelled, StepLimit, Failed };

  RunRecord() = default;
  explicit RunRecord(AnalysisParameters parameters, CaseSource source = {},
                     LawEntries law = KvtLawEntries{});

  const AnalysisParameters& parameters() const { return parameters_; }
  const LawEntries& law() const { return law_; }
  const CaseSource& source() const { return source_; }
  // The case's name by the one rule (`caseName`): the comment, else the parameter file with
  // what changed since it was loaded or saved, else empty.
  std::string caseName() const;

  const RunStart& start() const { return start_; }
  double tauMax() const { return start_.tauMax; }
  int segmentCount() const { return start_.segmentCount; }
  // segmentCount·Δl, cm: lb rounded up to whole segments, the length the march analyses; lb
  // itself for the converged analysis.
  double analysedLength() const;

  RunMethod method() const { return converged_ ? RunMethod::Converged : RunMethod::Segments; }
  // The converged analysis behind a converged record: its points, its end and its accuracy.
  const ConvergedResult* converged() const { return converged_.get(); }

  // The finished steps, numbered from 1 without gaps.
  std::span<const LoadSlipRow> rows() const { return rows_; }
  int stepCount() const { return static_cast<int>(rows_.size()); }
  // The row of a step, or nullptr when the run did not finish that step.
  const LoadSlipRow* row(int step) const;

  // Pbumax, the largest loaded-end force, and the steps over which it holds: the first step that
  // reaches it (the step of Pbumax everywhere) and the last step with that same force (a
  // bilinear law holds its plateau over many). 0 before any step.
  int peakStep() const { return peakFirst_; }
  int peakLastStep() const { return peakLast_; }
  double PMax() const;
  // τbumax, the largest average bond stress, and the first step that reaches it (0 before any
  // step). τavg is the force over a fixed surface, so this is Pbumax's step but for a tie that
  // rounding makes of two forces.
  int tauAvgPeakStep() const { return tauAvgPeak_; }
  double tauAvgMax() const;

  // The sections of a finished step, bit for bit as the run handed them over (marched again
  // from the step's s0); empty for a step the run did not finish. Throws as the march would.
  std::vector<SectionRow> sections(int step) const;

  Outcome outcome() const { return outcome_; }
  bool ended() const { return outcome_ != Outcome::Running; }
  // Why the run did not finish, in words, and the kind of that failure; empty for a run that
  // finished or is still running, and no kind for a fault from outside kvt's own errors.
  const std::string& failure() const { return failure_; }
  std::optional<ErrorKind> failureKind() const { return failureKind_; }

  // Filling the record, in this order: begin, add per step, then one of the outcomes.
  void begin(const RunStart& start);
  void add(const LoadSlipRow& row);
  void finish();
  void cancel(int step);
  void fail(const std::exception& error);
  // Makes this the record of a converged analysis whose points were added as steps: Pbumax
  // holds from the step of the solution's first slip at Pbumax to that of its last.
  void setConverged(std::shared_ptr<const ConvergedResult> solution, int peakFirst, int peakLast);

 private:
  AnalysisParameters parameters_;
  CaseSource source_;
  LawEntries law_;
  RunStart start_;
  std::vector<LoadSlipRow> rows_;
  int peakFirst_ = 0;
  int peakLast_ = 0;
  int tauAvgPeak_ = 0;
  Outcome outcome_ = Outcome::Running;
  std::string failure_;
  std::optional<ErrorKind> failureKind_;
  std::shared_ptr<const ConvergedResult> converged_;
};

// Fills a record from a run's hand-over points. It takes no section, so a run watched only by
// recorders marches without forming any.
class RunRecorder : public RunObserver {
 public:
  explicit RunRecorder(RunRecord& record) : record_(record) {}
  void runStarted(const RunStart& start) override { record_.begin(start); }
  bool needsSections(int step) const override { return (void)step, false; }
  void stepFinished(const StepResult& result) override { record_.add(loadSlipRow(result)); }
  void runFinished(const StepResult& last) override { (void)last, record_.finish(); }
  void runStopped(int step) override { record_.cancel(step); }

 private:
  RunRecord& record_;
};

// Runs the march on the record's parameters and law, with `observer` (the result file, a window …)
// watching besides the recorder. A failure of kvt's own (`Error`) ends in the record and is not
// thrown; anything else propagates.
void recordRun(RunRecord& record, RunObserver& observer);
RunRecord recordRun(const AnalysisParameters& parameters, CaseSource source = {},
                    LawEntries law = KvtLawEntries{});

// The outcome in one word, as scripts and tables name it: "running", "finished", "cancelled",
// "step-limit" or "failed".
const char* outcomeName(RunRecord::Outcome outcome);

}  // namespace kvt
