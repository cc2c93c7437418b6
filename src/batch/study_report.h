// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/units.h"
#include "summary_table.h"

namespace kvt {

struct StudyOptions;
struct StudyResult;

// What a study says when it is done, gathered from its cases in grid order as they are handed
// over: one line for standard output (how many runs finished, or the required length of a single
// case), the lines for standard error (which runs failed, figures that could not be written), and
// every file written.
class StudyReport {
 public:
  StudyReport(std::string basePath, std::uint64_t runCount, const StudyOptions& study,
              UnitSystem units, std::optional<double> fy);

  void add(const SummaryRow& row, const std::vector<std::string>& files);
  void addFile(std::string path) { files_.push_back(std::move(path)); }
  // A line for standard error about figures that could not be written; the study then fails.
  // Of the kept runs' figures only the first failure is told: the others would say the same.
  void runFiguresFailed(const std::string& line);
  void studyFiguresFailed(const std::string& line);
  // A line for standard error that does not fail the study.
  void note(const std::string& line) { errors_.push_back(line); }
  // A kept run that ended before a --profile-csv step: one line at the end names them all.
  void profileStepsUnreached(std::uint64_t run) { unreached_.push_back(run); }

  StudyResult finish(const std::string& summaryPath) const;

 private:
  std::string outcomeLine() const;
  std::vector<std::string> codeDetails() const;
  std::optional<std::string> failedRunsLine(const std::string& summaryPath) const;
  std::optional<std::string> beyondYieldLine(const std::string& summaryPath) const;
  std::string lengthWithUnit(int tenths) const;
  void addMarchNotes(const SummaryRow& row);
  void marchNoteLines(std::vector<std::string>& lines) const;
  std::string howMany(const std::vector<std::uint64_t>& runs) const;
  static std::string firstRuns(const std::vector<std::uint64_t>& runs);
  std::string forceText(double kgf) const;

  std::string basePath_;
  std::uint64_t runCount_;
  const StudyOptions& study_;
  UnitSystem units_;
  std::optional<double> fy_;  // the bar's yield stress, kgf/cm², when given
  std::uint64_t finished_ = 0;
  std::vector<std::uint64_t> failed_;       // runs whose run or search failed
  std::vector<std::uint64_t> unreached_;    // runs that ended before a --profile-csv step
  std::vector<std::uint64_t> beyondYield_;  // runs whose bar carried more than any bar can
  // Marches that analyse another length than lb, with the first one's note, and marches whose
  // first step already passed the rising branch.
  std::vector<std::uint64_t> otherLength_;
  std::string otherLengthNote_;
  std::vector<std::uint64_t> unresolved_;
  std::optional<SummaryRow> single_;  // the row of a study of one run
  std::vector<std::string> errors_;
  std::vector<std::string> files_;
  bool runFiguresFailed_ = false;
  bool figuresFailed_ = false;
};

}  // namespace kvt
