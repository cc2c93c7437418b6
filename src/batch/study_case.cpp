// SPDX-License-Identifier: MIT
#include "study_case.h"

#include "analysis/converged_record.h"
#include "study_run.h"

namespace kvt {

namespace {

constexpr int kLbBox = 6;

}  // namespace

StudyCaseRunner::StudyCaseRunner(const ParameterEntries& base, CaseSource baseSource,
                                 std::string baseResultFile, const BatchOptions& options,
                                 const StudyOptions& study, const Clock& clock)
    : base_(base),
      baseSource_(std::move(baseSource)),
      baseResultFile_(std::move(baseResultFile)),
      options_(options),
      study_(study),
      clock_(clock) {}

void StudyCaseRunner::enter(std::uint64_t gridRun, ParameterEntries& entries,
                            const std::string* lb) const {
  if (auto error = study_.grid.enter(gridRun, entries)) throw *error;
  if (lb) {
    entries.setText(kLbBox, "");
    if (auto error = entries.setText(kLbBox, *lb)) throw *error;
  }
  commitForRun(entries, options_);
}

LawEntries StudyCaseRunner::law(std::uint64_t gridRun) const {
  LawEntries law = options_.law;
  // Checked before the study starts: a varied law entry comes with an MC2010 law.
  (void)study_.grid.enterLaw(gridRun, law);
  return law;
}

// A case's entries differ from the base file's by the values the grid typed in: "lb=30",
// "bar=D13, lb=30", after what had changed in the base case itself ("modified, lb=30").
std::string StudyCaseRunner::changes(std::uint64_t gridRun) const {
  const std::vector<std::string> values = study_.grid.values(gridRun);
  std::string text = baseSource_.changes;
  for (std::size_t k = 0; k < values.size(); ++k)
    text += (text.empty() ? "" : ", ") + study_.grid.entries()[k].name() + "=" + values[k];
  return text;
}

RunWrites StudyCaseRunner::writesFor(std::uint64_t gridRun, AnalysisParameters& record) const {
  RunWrites writes;
  writes.resultFile = study_.keepRuns;
  writes.method = runMethod(options_, study_.findLb);
  if (study_.keepRuns) {
    const StudyGrid& grid = study_.grid;
    record.resultFilePath = besideResultFile(
        baseResultFile_, (grid.entries().empty() ? "" : grid.tag(gridRun) + ".") + "T-S");
    writes.loadSlipCsv = options_.loadSlipCsv;
    writes.profileSteps = options_.profileSteps;
    writes.units = options_.units;
  }
  return writes;
}

StudyCase StudyCaseRunner::run(std::uint64_t gridRun) const {
  StudyCase out;
  SummaryRow& row = out.row;
  row.run = gridRun + 1;
  row.values = study_.grid.values(gridRun);
  row.method = runMethod(options_, study_.findLb);
  AnalysisParameters record;
  ParameterEntries entries(record, base_);
  try {
    enter(gridRun, entries, nullptr);
    RunOutcome outcome = runRecord(record, writesFor(gridRun, record), clock_,
                                   {baseSource_.file, changes(gridRun)}, law(gridRun));
    row.succeeded = outcome.succeeded();
    row.error = failureText(outcome);
    row.record = std::move(outcome.record);
    out.files = std::move(outcome.files);
    out.resultName = std::move(outcome.resultName);
  } catch (const NumericError& error) {
    row.error = error.what();
    row.record = RunRecord(record, {baseSource_.file, changes(gridRun)}, law(gridRun));
  }
  if (study_.findLb) {
    row.yieldForce = options_.fy.value_or(0) * static_cast<double>(record.Ab);
    row.required = requiredLength(gridRun, row.yieldForce);
  }
  return out;
}

RequiredLength StudyCaseRunner::requiredLength(std::uint64_t gridRun, double yieldForce) const {
  return findRequiredLength(yieldForce, study_.lbMaxTenths,
                            [&](int tenths) { return runAtLength(gridRun, tenths); });
}

RunRecord StudyCaseRunner::runAtLength(std::uint64_t gridRun, int tenths) const {
  AnalysisParameters trial;
  ParameterEntries trialEntries(trial, base_);
  const std::string lb = lengthText(tenths);
  try {
    enter(gridRun, trialEntries, &lb);
  } catch (const NumericError& error) {
    RunRecord refused(trial);
    refused.fail(error);
    return refused;
  }
  const std::string changed = changes(gridRun);
  const CaseSource source{baseSource_.file, changed + (changed.empty() ? "" : ", ") + "lb=" + lb};
  ++lengthsRun_;
  // The converged search needs Pbumax alone, not the curve.
  if (runMethod(options_, true) == RunMethod::Converged)
    return convergedPeakRecord(trial, source, law(gridRun));
  RunWrites nothing;
  nothing.resultFile = false;
  return runRecord(trial, nothing, clock_, source, law(gridRun)).record;
}

}  // namespace kvt
