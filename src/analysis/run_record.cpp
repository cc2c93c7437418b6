// SPDX-License-Identifier: MIT
#include "run_record.h"

#include "converged_record.h"
#include "pull_out_run.h"
#include "section_march.h"
#include "segment_geometry.h"

namespace kvt {

LoadSlipRow loadSlipRow(const StepResult& r) {
  return {r.step, r.s0, r.loadedEndSlip, r.loadedEndForce, r.tauAvg};
}

RunRecord::RunRecord(AnalysisParameters parameters, CaseSource source, LawEntries law)
    : parameters_(std::move(parameters)), source_(std::move(source)), law_(std::move(law)) {}

std::string RunRecord::caseName() const {
  return kvt::caseName(parameters_.comment, source_);
}

const char* methodName(RunMethod method) {
  return method == RunMethod::Converged ? "converged" : "segments";
}

double RunRecord::analysedLength() const {
  if (converged_) return converged_->length;
  return kvt::analysedLength(start_.segmentCount, start_.deltaL);
}

const LoadSlipRow* RunRecord::row(int step) const {
  // Steps are numbered from 1 without gaps, so a step's row sits at index step − 1.
  if (step < 1 || static_cast<std::size_t>(step) > rows_.size()) return nullptr;
  return &rows_[static_cast<std::size_t>(step - 1)];
}

double RunRecord::PMax() const {
  const LoadSlipRow* peak = row(peakFirst_);
  return peak ? peak->loadedEndForce : 0;
}

double RunRecord::tauAvgMax() const {
  const LoadSlipRow* peak = row(tauAvgPeak_);
  return peak ? peak->tauAvg : 0;
}

std::vector<SectionRow> RunRecord::sections(int step) const {
  const LoadSlipRow* r = row(step);
  if (!r) return {};
  if (converged_) return convergedSections(*this, step);
  return replaySections(parameters_, r->s0, step, law_);
}

void RunRecord::begin(const RunStart& start) {
  start_ = start;
  rows_.clear();
  peakFirst_ = peakLast_ = tauAvgPeak_ = 0;
  outcome_ = Outcome::Running;
  failure_.clear();
  failureKind_.reset();
  converged_.reset();
}

void RunRecord::add(const LoadSlipRow& row) {
  rows_.push_back(row);
  // The first step that reaches the largest force is the step of Pbumax; a later step with the
  // same force only extends the span over which it holds.
  if (peakFirst_ == 0 || row.loadedEndForce > PMax()) {
    peakFirst_ = peakLast_ = row.step;
  } else if (row.loadedEndForce == PMax()) {
    peakLast_ = row.step;
  }
  if (tauAvgPeak_ == 0 || row.tauAvg > tauAvgMax()) tauAvgPeak_ = row.step;
}

void RunRecord::setConverged(std::shared_ptr<const ConvergedResult> solution, int peakFirst,
                             int peakLast) {
  converged_ = std::move(solution);
  peakFirst_ = tauAvgPeak_ = peakFirst;
  peakLast_ = peakLast;
}

void RunRecord::finish() {
  outcome_ = Outcome::Finished;
}

void RunRecord::cancel(int step) {
  outcome_ = Outcome::Cancelled;
  failureKind_ = ErrorKind::Cancelled;
  failure_ = "The run was stopped at step " + std::to_string(step) + ".";
}

void RunRecord::fail(const std::exception& error) {
  failure_ = error.what();
  failureKind_.reset();
  outcome_ = Outcome::Failed;
  if (const auto* own = dynamic_cast<const Error*>(&error)) {
    failureKind_ = own->errorKind();
    if (own->errorKind() == ErrorKind::StepLimit) outcome_ = Outcome::StepLimit;
    if (own->errorKind() == ErrorKind::Cancelled) outcome_ = Outcome::Cancelled;
  }
}

namespace {

void runInto(RunRecord& record, RunObserver& observers) {
  try {
    PullOutRun(record.parameters(), observers, record.law()).run();
  } catch (const Error& error) {
    record.fail(error);
  }
}

}  // namespace

void recordRun(RunRecord& record, RunObserver& observer) {
  RunRecorder recorder(record);
  ObserverList observers;
  observers.add(observer);
  observers.add(recorder);
  runInto(record, observers);
}

RunRecord recordRun(const AnalysisParameters& parameters, CaseSource source, LawEntries law) {
  RunRecord record(parameters, std::move(source), std::move(law));
  RunRecorder recorder(record);
  runInto(record, recorder);
  return record;
}

const char* outcomeName(RunRecord::Outcome outcome) {
  switch (outcome) {
    case RunRecord::Outcome::Running:
      return "running";
    case RunRecord::Outcome::Finished:
      return "finished";
    case RunRecord::Outcome::Cancelled:
      return "cancelled";
    case RunRecord::Outcome::StepLimit:
      return "step-limit";
    case RunRecord::Outcome::Failed:
      return "failed";
  }
  return "failed";
}

}  // namespace kvt
