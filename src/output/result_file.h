// SPDX-License-Identifier: MIT
//
// The output layer: the run's fixed-format report. `ResultFile` observes a run and writes the
// report line by line in code page 932 with CR LF line ends.
#pragma once

#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "analysis/run_observer.h"
#include "clock.h"
#include "error/error.h"
#include "line_file.h"
#include "params/analysis_parameters.h"

namespace kvt {

// The result file could not be created or written; the message names the file and the system's
// reason. It ends the run like an arithmetic fault does, but it is a file's failure, not the
// analysis's.
class ResultFileError : public Error {
 public:
  explicit ResultFileError(const std::string& message) : Error(ErrorKind::File, message) {}
};

// The result file's name for a `resultFilePath`: "default.t-s" when it is empty, otherwise its
// last three characters replaced by "T-S" ("beam1.kvt" gives "beam1.T-S"); a name shorter than
// three characters gets "T-S" appended.
std::string resultFileName(std::string_view resultFilePath);

// Writes the report of one run. Opening (at the run's start) chooses the name from the record's
// `resultFilePath`, creates the file and writes the header; every step adds its block; the file
// is closed when the run ends, however it ends (also when this object is destroyed). Failures
// throw `ResultFileError` out of the run. The record is only read: the desktop program stores
// the chosen name (`path`) back into `resultFilePath` itself, so that its next run derives its
// name from this one's, while runs of a study each keep their own.
class ResultFile : public RunObserver {
 public:
  ResultFile(const AnalysisParameters& parameters, const Clock& clock);
  ~ResultFile() override;
  ResultFile(const ResultFile&) = delete;
  ResultFile& operator=(const ResultFile&) = delete;

  // The path chosen for the file ("" before the run started); set before the file is created,
  // so it names the file also when creating it failed.
  const std::string& path() const;

  void runStarted(const RunStart& start) override;           // openResultFile, writeRunHeader
  void stepStarted(int step, double s0, float ds) override;  // writeStepStart
  bool needsSections(int step) const override { return (void)step, detailed(); }
  void sectionsComputed(std::span<const SectionRow> rows) override;  // writeSectionRow each
  void stepFinished(const StepResult& result) override;              // writeStepResult
  void runFinished(const StepResult& last) override;                 // closeResultFile
  void runStopped(int step) override;                                // closeResultFile

  void closeResultFile();

 private:
  void openResultFile();
  void writeRunHeader(double tauMax);
  bool detailed() const { return parameters_.detailOutput == 1; }
  void writeLine(std::string_view cp932);
  void flushFile();
  const std::string& distanceText(const SectionRow& row);
  [[noreturn]] void fail(const char* action, const std::system_error& error) const;

  const AnalysisParameters& parameters_;
  const Clock& clock_;
  LineFile file_;
  std::string path_;
  std::string shownPath_;  // the full path, for messages
  std::string line_;       // the line under construction, reused to spare allocations
  struct CachedDistance {
    double x = 0;
    std::string text;
  };
  static constexpr std::size_t kCachedDistances = 65536;
  std::vector<CachedDistance> distanceTexts_;  // by section index i
  std::string uncachedDistance_;
};

}  // namespace kvt
