// SPDX-License-Identifier: MIT
#include "case_run.h"

#include "analysis/bar_yield.h"
#include "analysis/converged_record.h"
#include "analysis/march_notes.h"
#include "error/error.h"

namespace kvt::python {

namespace {

// Asks the watch between steps; a look at the clock every eighth step costs the march nothing
// worth measuring, and a step is short enough that Ctrl+C still stops it at once.
class InterruptibleRun final : public RunObserver {
 public:
  explicit InterruptibleRun(SignalWatch& watch) : watch_(watch) {}
  bool stopRequested(int step) override { return step % 8 == 0 && watch_.interrupted(); }
  bool needsSections(int) const override { return false; }

 private:
  SignalWatch& watch_;
};

}  // namespace

RunRecord runCase(const CaseEntries& entries, const LawEntries& law, RunMethod method,
                  SignalWatch& watch) {
  if (method == RunMethod::Converged)
    return convergedRecord(entries.committed(), entries.entries().caseSource(), law);
  RunRecord record(entries.committed(), entries.entries().caseSource(), law);
  InterruptibleRun observer(watch);
  recordRun(record, observer);
  return record;
}

std::string caseLabel(const CaseEntries& entries) {
  const CaseSource source = entries.entries().caseSource();
  if (source.file.empty() || source.changes.empty()) return source.file;
  return source.file + " (" + source.changes + ")";
}

std::vector<std::string> marchNotes(const RunRecord& record, UnitSystem units) {
  std::vector<std::string> notes;
  const AnalysisParameters& p = record.parameters();
  if (auto note = analysedLengthNote(p.lb, p.deltaL)) notes.push_back(*note);
  if (auto note = risingBranchNote(record)) notes.push_back(*note);
  if (auto note = elasticBarNote(record, units)) notes.push_back(*note);
  return notes;
}

}  // namespace kvt::python
