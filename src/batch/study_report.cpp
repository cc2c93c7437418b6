// SPDX-License-Identifier: MIT
#include "study_report.h"

#include "params/format_number.h"
#include "study_run.h"

namespace kvt {

StudyReport::StudyReport(std::string basePath, std::uint64_t runCount, const StudyOptions& study,
                         UnitSystem units)
    : basePath_(std::move(basePath)), runCount_(runCount), study_(study), units_(units) {}

void StudyReport::add(const SummaryRow& row, const std::vector<std::string>& files) {
  const bool searchFailed = row.required && row.required->kind == RequiredLength::Kind::Failed;
  if (row.succeeded && !searchFailed) {
    ++finished_;
  } else {
    failed_.push_back(row.run);
  }
  files_.insert(files_.end(), files.begin(), files.end());
  if (runCount_ == 1) single_ = row;
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

std::string StudyReport::outcomeLine() const {
  const std::optional<RequiredLength>& required =
      single_ ? single_->required : std::optional<RequiredLength>();
  if (required && required->kind == RequiredLength::Kind::Found) {
    std::string line = "required lb " + lengthText(required->tenths) + " cm: Pbumax " +
                       forceText(required->PMax) +
                       " reaches fy·Ab = " + forceText(single_->yieldForce);
    if (required->shorterTenths > 0)
      line += ", " + lengthText(required->shorterTenths) + " cm gives " +
              forceText(required->shorterPMax);
    return line;
  }
  if (required && required->kind == RequiredLength::Kind::NotReached)
    return "fy·Ab = " + forceText(single_->yieldForce) + " not reached up to " +
           lengthText(study_.lbMaxTenths) + " cm";
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
      anchorageCaseOf(single_->record.parameters(), study_.fy, codes.factors);
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

StudyResult StudyReport::finish(const std::string& summaryPath) const {
  StudyResult result;
  result.message = basePath_ + ": " + outcomeLine() + " → " + summaryPath;
  result.details = codeDetails();
  result.errors = errors_;
  if (!unreached_.empty())
    result.errors.push_back(basePath_ + ": " + howMany(unreached_) + " (run " +
                            firstRuns(unreached_) +
                            ") ended before a --profile-csv step; their kept files have no CSV "
                            "file or figure for it");
  if (auto line = failedRunsLine(summaryPath)) result.errors.push_back(std::move(*line));
  result.files = files_;
  result.succeeded = failed_.empty() && !figuresFailed_;
  return result;
}

}  // namespace kvt
