// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "batch_run.h"
#include "code_lengths.h"
#include "output/clock.h"
#include "study_case.h"
#include "study_figures.h"
#include "study_grid.h"
#include "summary_table.h"

namespace kvt {

class StudyReport;

// The K-th of N slices of a grid: the runs K, K + N, K + 2N, … (1-based), so that every slice
// gets its share of short and long runs.
struct Shard {
  std::uint64_t index = 1;
  std::uint64_t count = 1;
};

struct StudyOptions {
  StudyGrid grid;
  std::optional<std::string> summaryPath;  // default: NAME.study.csv beside the result file
  bool keepRuns = false;                   // each run's result file and CSVs, NAME.lb=30.T-S …
  Shard shard;
  bool findLb = false;  // the required bond length of every case
  int lbMaxTenths = 2000;
  // The design codes' lengths beside the required one (with --find-lb), or printed alone.
  CodeRequest codes;

  bool isStudy() const { return !grid.entries().empty() || findLb; }
};

struct StudyResult {
  bool succeeded = false;            // every run finished and the summary is complete
  std::string message;               // for standard output
  std::vector<std::string> details;  // further lines for standard output, after the message
  std::vector<std::string> errors;   // for standard error
  std::vector<std::string> files;    // the summary and every kept file
};

// A parameter study on one base file: the base file is loaded once, and every run of the grid
// gets a private copy of its entries with the run's values typed in. The summary has one row per
// run in grid order, written as the runs finish (to NAME.study.csv.part, renamed when complete,
// so an interrupted study leaves its rows without passing for a whole one). Kept files carry the
// study's start time, so the outputs are byte for byte the same for any number of threads.
//
// A window runs the same study in parts: `runCases` hands it each case in grid order and stops
// when asked, and `summaryTable`, `point` and `figures` give it the summary's lines and the
// figures that `run` writes, so that the window saves the same bytes as kvt-batch.
class Study {
 public:
  // Loads the base file and works out where the outputs go. Throws as `loadForBatch` does.
  static std::unique_ptr<Study> prepare(const std::string& baseFile, const BatchOptions& options,
                                        const StudyOptions& study);
  // A study of entries in hand, the parameter window's: a private copy of them is the base case,
  // named as the window names it (its file, "modified" once a box has changed since).
  static std::unique_ptr<Study> ofEntries(const ParameterEntries& entries,
                                          const BatchOptions& options, const StudyOptions& study);
  ~Study();

  const std::string& summaryPath() const { return summaryPath_; }
  // The base file's entries read only in part, for standard error.
  std::vector<std::string> warnings() const;
  // The runs of this study's shard, 0-based grid indices.
  std::uint64_t runCount() const;
  std::uint64_t gridRun(std::uint64_t k) const;

  // Runs the shard's runs and writes the summary. With a progress stream, a terminal there shows
  // how far the study has come. Throws `FileWriteError` when the summary cannot be written.
  StudyResult run(const Clock& clock, std::FILE* progress = nullptr) const;

  // The runner of this study's cases; it runs any case on its own, on any thread.
  StudyCaseRunner caseRunner(const Clock& clock) const;
  // Runs the shard's runs from the `first`-th (0-based) on, as many at a time as the options
  // say, and hands each case to `deliver` in order on the calling thread; `idle` is called about
  // five times a second while the next one is not ready. `stop`, asked as each case starts and
  // after each is handed over, ends the study there: cases under way finish and are dropped.
  // Returns how many cases were handed over.
  std::uint64_t runCases(const StudyCaseRunner& cases, std::uint64_t first,
                         const std::function<void(std::uint64_t, StudyCase&&)>& deliver,
                         const std::function<void()>& idle,
                         const std::function<bool()>& stop = {}) const;
  // The summary's header and lines in `units`, as `run` writes them with those units.
  SummaryTable summaryTable(UnitSystem units) const;
  // What the study's figures take of a case; the load–slip curve only when the family is drawn.
  StudyPoint point(const StudyCase& done, bool withCurve) const;
  // Whether the load–slip curves of all runs fit in one figure.
  bool drawsFamily() const { return runCount() <= kLargestFamily; }
  // The study's figures in `units` as `run` writes them, named by their file suffix. With
  // `against`, Pbumax (and the required length) is drawn against that varied entry instead of
  // the last one.
  std::vector<std::pair<std::string, Figure>> figures(
      const std::vector<StudyPoint>& points, UnitSystem units,
      std::optional<std::size_t> against = {}) const;
  // The name of the base case, for titles.
  std::string caseName() const;
  const StudyOptions& options() const { return study_; }

 private:
  struct Base;
  // A kept run's report figures beside its result file.
  void writeKeptRunFigures(const StudyCase& done, const LocalDateTime& stamp,
                           StudyReport& report) const;
  // The study's figures beside its summary.
  void writeFigures(const std::vector<StudyPoint>& points, const LocalDateTime& stamp,
                    bool drawFamily, StudyReport& report) const;
  Study(std::unique_ptr<Base> base, const BatchOptions& options, const StudyOptions& study);
  // The design codes' lengths for a case, cm, when they stand beside the required length.
  std::vector<double> codeLengthsOf(const AnalysisParameters& p) const;

  std::unique_ptr<Base> base_;
  const BatchOptions& options_;
  const StudyOptions& study_;
  std::string baseResultFile_;  // what a plain run of the base file would write
  std::string summaryPath_;
};

}  // namespace kvt
