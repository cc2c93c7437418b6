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
#include "analysis/run_record.h"
#include "analysis/units.h"
#include "figures/figure.h"
#include "output/clock.h"
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
  LawEntries law;                           // the bond law of every run: kvt's own by default
  FigureSize figureSize;                    // of every figure, on paper
  // The bar's yield stress, kgf/cm²: the load–slip figure draws fy·Ab, the result line says
  // whether the bar yields before it pulls out, and --find-lb seeks the length where it does.
  std::optional<double> fy;
  // --method: the march of segments, or the converged analysis for the CSV files, figures and
  // summary (the result file stays the march's). Unset: segments, converged for --find-lb.
  std::optional<RunMethod> method;
};

// The method of a command's runs: as --method says, else segments, but converged for a search
// of the required length, where the march's error in Δl moves the answer most.
inline RunMethod runMethod(const BatchOptions& options, bool findLb) {
  return options.method.value_or(findLb ? RunMethod::Converged : RunMethod::Segments);
}

// What a run writes and keeps besides its record. A run with another law than kvt's own writes
// no result file (its header describes kvt's own law); its CSV files and figures are named as
// though it had.
struct RunWrites {
  bool resultFile = true;  // named from the record's resultFilePath
  bool loadSlipCsv = false;
  std::set<int> profileSteps;
  std::vector<FigureFormat> figureFormats;  // the run's report figures
  FigureSize figureSize;
  std::optional<double> fy;                // the bar's yield stress, kgf/cm², for the figures
  RunMethod method = RunMethod::Segments;  // of the record, the CSV files and the figures
  UnitSystem units = UnitSystem::KgfCm;    // of the CSV files and figures

  // CSV files or figures besides the result file: they need its name.
  bool extras() const {
    return resultFile && (loadSlipCsv || !profileSteps.empty() || !figureFormats.empty());
  }
};

// What became of a run: its record, and every file it wrote. A failed run still writes the CSV
// files and figures of the steps it finished; `extrasFailure` says why one of them could not be
// written. `failureText` puts it into words.
struct RunOutcome {
  RunRecord record;
  std::vector<std::string> files;  // every file written, the result file first
  bool extrasAsked = false;        // CSV files or figures besides the result file
  std::optional<Error> extrasFailure;
  bool figureModuleFailed = false;  // the figure module, not a file, was the cause
  bool refusedBeforeRun = false;    // bound to fail at once, the run wrote nothing
  bool reportOmitted = false;       // asked for, but the run's law is not kvt's own
  std::string resultName;           // the result file's name, written or omitted; names the rest

  // A converged run's result file is the march's report: its record, when the file was asked for.
  std::optional<RunRecord> march{};

  bool succeeded() const {
    return record.outcome() == RunRecord::Outcome::Finished && !extrasFailure &&
           (!march || march->outcome() == RunRecord::Outcome::Finished);
  }
};

// Runs a committed record with a bond law and writes what `writes` asks for. Never throws for a
// fault of the run, a file or the figure module: the outcome keeps what went wrong. `source`
// names the case.
RunOutcome runRecord(const AnalysisParameters& record, const RunWrites& writes, const Clock& clock,
                     CaseSource source = {}, const LawEntries& law = KvtLawEntries{});

// Why a run failed and what became of its CSV files and figures, in one sentence or two; for
// kvt-batch's error line and a summary's outcome column. Empty for a run that succeeded.
std::string failureText(const RunOutcome& outcome);

// Loads a parameter file into default entries as the window would, and sets the record's
// parameterFilePath as a double click in the file window would. Throws `Error` naming the file:
// a file error when it cannot be read, a parameter error when an entry cannot be converted.
void loadForBatch(const std::string& path, ParameterEntries& entries);

// The entries read only in part, one line each naming the file ("beam1.kvt: lb "20,5" is read
// as 20"), or one line saying that the file does not look like a parameter file; the run goes on
// with what is read.
std::vector<std::string> partialEntryWarnings(const std::string& path,
                                              const ParameterEntries& entries);

// Gives the entries what the options set for every run (--ds, --detail), then commits them.
// Throws the `NumericError` of "Execute".
void commitForRun(ParameterEntries& entries, const BatchOptions& options);

// A parameter file run as kvt-batch runs it.
struct FileRun {
  // Entries read only in part ("beam1.kvt: lb "20,5" is read as 20"); the run goes on with them.
  std::vector<std::string> warnings;
  RunOutcome outcome;
};

// Loads, commits and runs a parameter file, writing beside it (or in the output folder). Throws
// as `loadForBatch` and `commitForRun` do.
FileRun runParameterFile(const std::string& path, const BatchOptions& options, const Clock& clock);

// The --profile-csv steps beyond a run's last step, in words ("--profile-csv step 500, 600 lies
// beyond the run's last step, 432: no CSV file or figure for it"); nothing when the run reached
// them all.
std::optional<std::string> unreachedProfileSteps(const std::set<int>& steps, int lastStep);

// The result file of a parameter file: beside it ("beam1.kvt" gives "beam1.T-S"), or with the
// same name in `outputDir` when one is given.
std::string resultFileFor(const std::string& parameterFile, const std::string& outputDir);

// "beam1.T-S" gives "beam1" + suffix: the result file's name without its "T-S" (or "t-s").
std::string besideResultFile(const std::string& resultFile, const std::string& suffix);

}  // namespace kvt
