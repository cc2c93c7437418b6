// SPDX-License-Identifier: MIT
#include "batch_run.h"

#include <cctype>
#include <filesystem>

#include "analysis/analysis_error.h"
#include "analysis/pull_out_run.h"
#include "batch_figures.h"
#include "figure_loader.h"
#include "files/atomic_write.h"
#include "files/parameter_file.h"
#include "output/result_file.h"
#include "params/commit_parameters.h"
#include "params/format_number.h"
#include "params/partial_entries.h"

namespace kvt {

namespace {

constexpr int kInitialDsBox = 20;

// Nobody to ask: the runner loads a file that does not look like a parameter file all the same
// (`partialEntryWarnings` says so on standard error), and every report is an error.
class CollectingPrompt : public UserPrompt {
 public:
  bool question(const std::string&, const std::string&) override { return true; }
  void warning(const std::string&, const std::string& text) override {
    if (first.empty()) first = text;
  }
  std::string first;
};

// Where Pbumax was reached: the first step whose force reached the largest force of the run, the
// same step the figures and the profile of the peak show. A bilinear bond law holds its plateau
// force over many steps; the peak is where the plateau was first reached.
class PeakTracker : public RunObserver {
 public:
  bool needsSections(int) const override { return false; }
  void stepFinished(const StepResult& r) override {
    if (summary.stepAtPMax == 0 || r.loadedEndForce > forceAtPMax_) {
      forceAtPMax_ = r.loadedEndForce;
      summary.stepAtPMax = r.step;
      summary.loadedEndSlipAtPMax = r.loadedEndSlip;
      summary.freeEndSlipAtPMax = r.s0;
    }
    summary.finalSlip = r.loadedEndSlip;
  }
  RunSummary summary;

 private:
  double forceAtPMax_ = 0;
};

std::string summaryLine(const std::string& path, const RunSummary& s, const std::string& file) {
  return path + ": " + std::to_string(s.steps) + " steps, τb.max " +
         formatNumber(s.tauMax, "##0.00") + " kgf/cm², τbumax " +
         formatNumber(s.tauAvgMax, "##0.00") + " kgf/cm², Pbumax " + formatNumber(s.PMax, "####0") +
         " kgf → " + file;
}

}  // namespace

std::string besideResultFile(const std::string& resultFile, const std::string& suffix) {
  const bool hasExtension =
      resultFile.size() >= 3 && (resultFile.ends_with("T-S") || resultFile.ends_with("t-s"));
  return (hasExtension ? resultFile.substr(0, resultFile.size() - 3) : resultFile + ".") + suffix;
}

std::string resultFileFor(const std::string& parameterFile, const std::string& outputDir) {
  if (outputDir.empty()) return resultFileName(parameterFile);
  return resultFileName(
      (std::filesystem::path(outputDir) / std::filesystem::path(parameterFile).filename())
          .string());
}

std::optional<std::string> loadForBatch(const std::string& path, ParameterEntries& entries) {
  entries.loadDefaults();
  ParameterFileLines lines;
  CollectingPrompt prompt;
  if (!LoadParameterFile(path, entries, lines, prompt) || !prompt.first.empty())
    return prompt.first;
  entries.record().parameterFilePath = path;
  return std::nullopt;
}

std::vector<std::string> partialEntryWarnings(const std::string& path,
                                              const ParameterEntries& entries) {
  std::vector<std::string> warnings;
  if (!looksLikeParameterEntries(entries.texts())) {
    // Its entries are mostly zeros; a line for each of them would bury the one that matters.
    warnings.push_back(path + ": does not look like a parameter file (" +
                       std::to_string(fileEntriesWithoutNumber(entries.texts())) + " of its " +
                       std::to_string(kFileNumericEntries) +
                       " numeric lines hold no number); it is run as one");
    return warnings;
  }
  for (const PartialEntry& entry : partialEntries(entries.texts()))
    warnings.push_back(path + ": " + describe(entry));
  return warnings;
}

std::optional<std::string> commitForRun(ParameterEntries& entries, const BatchOptions& options) {
  if (options.initialDs) entries.setText(kInitialDsBox, *options.initialDs);
  if (options.detailOutput) entries.setDetailOutput(*options.detailOutput);
  if (const auto error = commitParameters(entries.texts(), entries.record())) return error->message;
  return std::nullopt;
}

RunOutcome runRecord(const AnalysisParameters& record, const RunWrites& writes,
                     const Clock& clock) {
  RunOutcome outcome;
  // A run bound to fail at once leaves every earlier report and CSV file as it was.
  try {
    PullOutRun::checkBeforeRun(record);
  } catch (const AnalysisError& error) {
    outcome.error = error.what();
    if (writes.resultFile) outcome.error += " Nothing was written.";
    return outcome;
  }
  PeakTracker peak;
  LoadSlipHistory history;
  ProfileCapture profiles(writes.profileSteps);
  ObserverList observers;
  observers.add(peak);
  std::optional<ResultFile> resultFile;
  if (writes.resultFile) observers.add(resultFile.emplace(record, clock));
  const bool extraFiles =
      writes.resultFile &&
      (writes.loadSlipCsv || !writes.profileSteps.empty() || !writes.figureFormats.empty());
  if (extraFiles || writes.keepCurve) observers.add(history);
  if (extraFiles && !writes.profileSteps.empty()) observers.add(profiles);

  PullOutRun run(record, observers);
  std::string failure;
  try {
    run.run();
  } catch (const AnalysisError& error) {
    failure = error.what();
  }
  if (resultFile && !resultFile->path().empty()) outcome.files.push_back(resultFile->path());
  if (failure.empty()) {
    outcome.summary = peak.summary;
    outcome.summary.steps = run.step();
    outcome.summary.tauMax = run.tauMax();
    outcome.summary.tauAvgMax = run.tauAvgMax();
    outcome.summary.PMax = run.PMax();
  }
  if (writes.keepCurve) {
    outcome.start = history.start();
    outcome.curve = history.rows();
  }
  // The error: the run's failure if any, then what became of the other files.
  const auto failed = [&](std::string why) {
    if (!failure.empty() && !why.empty()) {
      if (failure.ends_with('.')) {
        why[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(why[0])));
        why = " " + why + ".";
      } else {
        why = "; " + why;
      }
    }
    outcome.error = failure + why;
    return outcome;
  };
  if (!extraFiles) {
    if (!failure.empty()) return failed("");
    outcome.succeeded = true;
    return outcome;
  }
  // A failed run still leaves the CSV files and figures of the steps it finished.
  if (history.rows().empty() || resultFile->path().empty())
    return failed("no step finished, so no CSV file or figure was written");
  const std::string& name = resultFile->path();
  try {
    if (writes.loadSlipCsv) {
      const std::string csv = besideResultFile(name, "csv");
      writeFileAtomically(csv, loadSlipCsv(history.rows(), writes.units));
      outcome.files.push_back(csv);
    }
    for (const auto& profile : profiles.profiles()) {
      const std::string csv =
          besideResultFile(name, "step" + std::to_string(profile.step) + ".csv");
      writeFileAtomically(csv, profileCsv(profile, writes.units));
      outcome.files.push_back(csv);
    }
    if (!writes.figureFormats.empty()) {
      const RunRecord finished{record, history.start(), history.rows()};
      for (std::string& figure :
           writeRunFigures(finished, name, writes.figureFormats, writes.profileSteps, writes.units))
        outcome.files.push_back(std::move(figure));
    }
  } catch (const FileWriteError& error) {
    return failed(error.what());
  } catch (const FigureModuleError& error) {
    return failed(std::string("no figure written: ") + error.what());
  }
  if (!failure.empty())
    return failed("the CSV files and figures hold the " + std::to_string(history.rows().size()) +
                  " steps it finished");
  outcome.succeeded = true;
  return outcome;
}

BatchResult runParameterFile(const std::string& path, const BatchOptions& options,
                             const Clock& clock) {
  BatchResult result;
  AnalysisParameters record;
  ParameterEntries entries(record);
  if (auto error = loadForBatch(path, entries)) {
    result.message = *error;
    return result;
  }
  result.warnings = partialEntryWarnings(path, entries);
  if (!options.outputDir.empty()) record.resultFilePath = resultFileFor(path, options.outputDir);
  if (auto error = commitForRun(entries, options)) {
    result.message = path + ": " + *error;
    return result;
  }
  RunWrites writes;
  writes.loadSlipCsv = options.loadSlipCsv;
  writes.profileSteps = options.profileSteps;
  writes.units = options.units;
  writes.figureFormats = options.figureFormats;
  RunOutcome outcome = runRecord(record, writes, clock);
  result.files = std::move(outcome.files);
  result.succeeded = outcome.succeeded;
  result.message = outcome.succeeded ? summaryLine(path, outcome.summary, result.files.front())
                                     : path + ": " + outcome.error;
  return result;
}

}  // namespace kvt
