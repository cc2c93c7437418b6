// SPDX-License-Identifier: MIT
//
// The batch layer: running parameter files and parameter studies without the window. Each file
// is loaded into a fresh set of entries exactly as the window would load it, committed as
// "Execute" commits it, and run with its result file written beside it (or in an output
// folder). A study loads its base file once and gives every run a private copy of the entries
// with the varied values typed in (study_run.h); runs share nothing, so they go side by side on
// every core, and a study's outputs are the same whatever the number of threads.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "analysis/run_observer.h"
#include "figures/figure.h"
#include "output/clock.h"
#include "output/csv_export.h"
#include "output/units.h"
#include "params/parameter_entries.h"

namespace kvt {

struct BatchOptions {
  std::optional<bool> detailOutput;         // overrides the file's "Detail output" line when set
  bool loadSlipCsv = false;                 // NAME.csv beside the result file
  std::set<int> profileSteps;               // NAME.stepN.csv, and its figure, for each step run
  UnitSystem units = UnitSystem::KgfCm;     // of the CSV files, summaries and figures
  std::optional<std::string> initialDs;     // the "initial ds" box text of every run
  std::string outputDir;                    // where every output goes; empty: beside the input
  unsigned jobs = 0;                        // runs at a time; 0: every core
  std::vector<FigureFormat> figureFormats;  // report figures beside the result file
};

// What a run leaves for a summary, in kgf and cm.
struct RunSummary {
  int steps = 0;
  double tauMax = 0;     // τb.max, the peak of the bond law
  double tauAvgMax = 0;  // τbumax, the largest average bond stress
  double PMax = 0;       // Pbumax, the largest loaded-end force
  double loadedEndSlipAtPMax = 0;
  double freeEndSlipAtPMax = 0;
  int stepAtPMax = 0;
  double finalSlip = 0;  // the loaded-end slip of the last step
};

// What a run writes and keeps besides its summary.
struct RunWrites {
  bool resultFile = true;  // named from the record's resultFilePath
  bool loadSlipCsv = false;
  std::set<int> profileSteps;
  std::vector<FigureFormat> figureFormats;  // the run's report figures
  bool keepCurve = false;  // the load–slip response in `RunOutcome::curve`, for figures
  UnitSystem units = UnitSystem::KgfCm;  // of the CSV files and figures
};

struct RunOutcome {
  bool succeeded = false;
  // Why the run failed, in words, and what became of its CSV files and figures: a failed run
  // still writes those of the steps it finished.
  std::string error;
  RunSummary summary;
  std::vector<std::string> files;  // every file written, also by a run that failed
  RunStart start;                  // with the curve
  std::vector<LoadSlipRow> curve;
};

// Runs a committed record and writes what `writes` asks for. Never throws for a fault of the
// run, a file or the figure module: the outcome says what went wrong. The CSV files and figures
// need the result file, whose name they take.
RunOutcome runRecord(const AnalysisParameters& record, const RunWrites& writes, const Clock& clock);

// Loads a parameter file into default entries as the window would, and sets the record's
// parameterFilePath as a double click in the file window would. The error names the file.
std::optional<std::string> loadForBatch(const std::string& path, ParameterEntries& entries);

// The entries read only in part, one line each naming the file ("beam1.kvt: lb "20,5" is read
// as 20"), or one line saying that the file does not look like a parameter file; the run goes on
// with what is read.
std::vector<std::string> partialEntryWarnings(const std::string& path,
                                              const ParameterEntries& entries);

// Gives the entries what the options set for every run (--ds, --detail), then commits them.
// Returns the numeric error of "Execute", if any.
std::optional<std::string> commitForRun(ParameterEntries& entries, const BatchOptions& options);

struct BatchResult {
  bool succeeded = false;
  std::string message;             // the summary line, or the error naming file and reason
  std::vector<std::string> files;  // every file written
  // Entries read only in part ("beam1.kvt: lb "20,5" is read as 20"); the run goes on with them.
  std::vector<std::string> warnings;
};

BatchResult runParameterFile(const std::string& path, const BatchOptions& options,
                             const Clock& clock);

// The result file of a parameter file: beside it ("beam1.kvt" gives "beam1.T-S"), or with the
// same name in `outputDir` when one is given.
std::string resultFileFor(const std::string& parameterFile, const std::string& outputDir);

// "beam1.T-S" gives "beam1" + suffix: the result file's name without its "T-S" (or "t-s").
std::string besideResultFile(const std::string& resultFile, const std::string& suffix);

}  // namespace kvt
