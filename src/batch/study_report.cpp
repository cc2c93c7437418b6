// SPDX-License-Identifier: MIT
#include "study_report.h"

#include "analysis/bar_yield.h"
#include "analysis/march_notes.h"
#include "params/format_number.h"
#include "study_run.h"

namespace kvt {

StudyReport::StudyReport(std::string basePath, std::uint64_t runCount, const StudyOptions& study,
                         UnitSystem units, std::optional<double> fy)
    : basePath_(std::move(basePath)), runCount_(runCount), study_(study), units_(units), fy_(fy) {}

void StudyReport::add(const SummaryRow& row, const std::vector<std::string>& files) {
  const bool searchFailed = row.required && row.required->kind == RequiredLength::Kind::Failed;
  if (row.succeeded && !searchFailed) {
    ++finished_;
  } else {
    failed_.push_back(row.run);
  }
  if (elasticBarNote(row.record, units_)) beyondYield_.push_back(row.run);
  files_.insert(files_.end(), files.begin(), files.end());
  if (runCount_ == 1) single_ = row;
  addMarchNotes(row);
}

// What the march made of each run's bar, told once for the study on standard error.
void StudyReport::addMarchNotes(const SummaryRow& row) {
  const RunRecord& run = row.record;
  if (run.method() != RunMethod::Segments || run.stepCount() == 0) return;
  const AnalysisParameters& p = run.parameters();
  if (auto note = analysedLengthNote(p.lb, p.deltaL)) {
    if (otherLength_.empty()) otherLengthNote_ = "run " + std::to_string(row.run) + ": " + *note;
    otherLength_.push_back(row.run);
  }
  if (risingBranchNote(run)) unresolved_.push_back(row.run);
}

void StudyReport::marchNoteLines(std::vector<std::string>& lines) const {
  if (!otherLength_.empty())
    lines.push_back(basePath_ + ": " + howMany(otherLength_) + " (run " + firstRuns(otherLength_) +
                    ") analyse another length than lb, " + otherLengthNote_ +
                    "; --method converged takes lb itself");
  if (!unresolved_.empty())
    lines.push_back(basePath_ + ": " + howMany(unresolved_) + " (run " + firstRuns(unresolved_) +
                    "): the rising branch is not resolved, the first step already carries more "
                    "than 10 % of Pbumax; --method converged resolves it");
}

void StudyReport::runFiguresFailed(const std::string& line) {
  if (!runFiguresFailed_) errors_.push_back(line);
  runFiguresFailed_ = figuresFailed_ = true;
}

void StudyReport::studyFiguresFailed(const std::string& line) {
  errors_.push_back(line);
  figuresFailed_ = true;
}

std::string StudyReport::forceText(double kgf) const {
  return formatNumber(inUnits(kgf, Quantity::Force, units_),
                      units_ == UnitSystem::SI ? "##0.00" : "####0") +
         " " + std::string(unitName(Quantity::Force, units_));
}

// A length given in tenths of a cm, with its unit: "25.3 cm", or "253 mm" in SI.
std::string StudyReport::lengthWithUnit(int tenths) const {
  if (units_ == UnitSystem::SI) return std::to_string(tenths) + " mm";
  return lengthText(tenths) + " cm";
}

std::string StudyReport::outcomeLine() const {
  const std::optional<RequiredLength>& required =
      single_ ? single_->required : std::optional<RequiredLength>();
  if (required && required->kind == RequiredLength::Kind::Found) {
    std::string line = "required lb " + lengthWithUnit(required->tenths) + ": Pbumax " +
                       forceText(required->PMax) +
                       " reaches fy·Ab = " + forceText(single_->yieldForce);
    if (required->shorterTenths > 0)
      line += ", " + lengthWithUnit(required->shorterTenths) + " gives " +
              forceText(required->shorterPMax);
    return line;
  }
  if (required && required->kind == RequiredLength::Kind::NotReached)
    return "fy·Ab = " + forceText(single_->yieldForce) + " not reached up to " +
           lengthWithUnit(study_.lbMaxTenths);
  return std::to_string(runCount_) + (runCount_ == 1 ? " run, " : " runs, ") +
         std::to_string(finished_) + " finished";
}

// With --codes beside the required length: the factors the codes read, and for a single case each
// code's length (a grid's are in the summary).
std::vector<std::string> StudyReport::codeDetails() const {
  const CodeRequest& codes = study_.codes;
  if (!study_.findLb || codes.codes.empty()) return {};
  std::vector<std::string> lines = {"  codes: " + codeFactorsText(codes)};
  if (!single_) return lines;
  const codes::AnchorageCase c =
      anchorageCaseOf(single_->record.parameters(), fy_.value_or(0), codes.factors);
  for (const codes::DesignCode code : codes.codes) {
    const codes::CodeLength length = codes::anchorageLength(code, c);
    lines.push_back("  " + std::string(codes::codeTitle(code)) + ": " +
                    codeLengthText(length.length, units_) + " " +
                    std::string(unitName(Quantity::Length, units_)) +
                    (length.meanBasis ? " (mean strengths)" : " (design)"));
  }
  return lines;
}

// "12 of 40 runs", and "1, 2, 3, 4, 5, …": the first five runs by number.
std::string StudyReport::howMany(const std::vector<std::uint64_t>& runs) const {
  return std::to_string(runs.size()) + " of " + std::to_string(runCount_) + " runs";
}

std::string StudyReport::firstRuns(const std::vector<std::uint64_t>& runs) {
  std::string list;
  for (std::size_t k = 0; k < runs.size() && k < 5; ++k)
    list += (k == 0 ? "" : ", ") + std::to_string(runs[k]);
  if (runs.size() > 5) list += ", …";
  return list;
}

std::optional<std::string> StudyReport::failedRunsLine(const std::string& summaryPath) const {
  if (failed_.empty()) return std::nullopt;
  return basePath_ + ": " + howMany(failed_) + " failed (run " + firstRuns(failed_) +
         "); the outcome column of " + summaryPath + " says why";
}

// The runs whose elastic bar carried more than any deformed bar can: their Pbumax is a bond
// strength the bar would never have reached.
std::optional<std::string> StudyReport::beyondYieldLine(const std::string& summaryPath) const {
  if (beyondYield_.empty()) return std::nullopt;
  if (single_) return basePath_ + ": " + *elasticBarNote(single_->record, units_);
  return basePath_ + ": in " + howMany(beyondYield_) + " (run " + firstRuns(beyondYield_) +
         ") the bar stress at Pbumax is beyond any deformed bar's yield stress: those bars would "
         "have yielded first (the analysis takes them as elastic); the column 'bar stress at "
         "Pbumax' of " +
         summaryPath + " gives it";
}

StudyResult StudyReport::finish(const std::string& summaryPath) const {
  StudyResult result;
  result.message = basePath_ + ": " + outcomeLine() + " → " + summaryPath;
  result.details = codeDetails();
  result.errors = errors_;
  marchNoteLines(result.errors);
  if (!unreached_.empty())
    result.errors.push_back(basePath_ + ": " + howMany(unreached_) + " (run " +
                            firstRuns(unreached_) +
                            ") ended before a --profile-csv step; their kept files have no CSV "
                            "file or figure for it");
  if (auto line = failedRunsLine(summaryPath)) result.errors.push_back(std::move(*line));
  if (auto line = beyondYieldLine(summaryPath)) result.errors.push_back(std::move(*line));
  result.files = files_;
  result.succeeded = failed_.empty() && !figuresFailed_;
  return result;
}

}  // namespace kvt
