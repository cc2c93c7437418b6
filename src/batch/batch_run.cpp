// SPDX-License-Identifier: MIT
#include "batch_run.h"

#include <cctype>

#include "analysis/analysis_error.h"
#include "analysis/pull_out_run.h"
#include "batch_figures.h"
#include "figure_module.h"
#include "files/atomic_write.h"
#include "files/parameter_file.h"
#include "output/csv_export.h"
#include "output/result_file.h"
#include "params/commit_parameters.h"
#include "params/format_number.h"
#include "params/partial_entries.h"

namespace kvt {

namespace {

// Nobody to ask: the runner never overwrites a parameter file, and every report is an error.
class CollectingPrompt : public UserPrompt {
 public:
  bool question(const std::string&, const std::string&) override { return false; }
  void warning(const std::string&, const std::string& text) override {
    if (first.empty()) first = text;
  }
  std::string first;
};

std::string summary(const std::string& path, const PullOutRun& run, const std::string& file) {
  return path + ": " + std::to_string(run.step()) + " steps, τb.max " +
         formatNumber(run.tauMax(), "##0.00") + " kgf/cm², τbumax " +
         formatNumber(run.tauAvgMax(), "##0.00") + " kgf/cm², Pbumax " +
         formatNumber(run.PMax(), "####0") + " kgf → " + file;
}

}  // namespace

std::string besideResultFile(const std::string& resultFile, const std::string& suffix) {
  const bool hasExtension =
      resultFile.size() >= 3 && (resultFile.ends_with("T-S") || resultFile.ends_with("t-s"));
  return (hasExtension ? resultFile.substr(0, resultFile.size() - 3) : resultFile + ".") + suffix;
}

BatchResult runParameterFile(const std::string& path, const BatchOptions& options,
                             const Clock& clock) {
  BatchResult result;
  AnalysisParameters record;
  ParameterEntries entries(record);
  entries.loadDefaults();
  ParameterFileLines lines;
  CollectingPrompt prompt;
  if (!LoadParameterFile(path, entries, lines, prompt) || !prompt.first.empty()) {
    result.message = prompt.first;
    return result;
  }
  for (const PartialEntry& entry : partialEntries(entries.texts()))
    result.warnings.push_back(path + ": " + describe(entry));
  // As a double click in the file window would have set it.
  record.parameterFilePath = path;
  if (options.detailOutput) entries.setDetailOutput(*options.detailOutput);
  if (const auto error = commitParameters(entries.texts(), record)) {
    result.message = path + ": " + error->message;
    return result;
  }

  ResultFile resultFile(record, clock);
  LoadSlipHistory history;
  ProfileCapture profiles(options.profileSteps);
  ObserverList observers;
  observers.add(resultFile);
  observers.add(history);
  observers.add(profiles);
  PullOutRun run(record, observers);
  std::string failure;
  try {
    run.run();
  } catch (const AnalysisError& error) {
    failure = error.what();
  }
  if (!resultFile.path().empty()) result.files.push_back(resultFile.path());
  // The error line: the run's failure if any, then what became of the other files.
  const auto failed = [&](std::string why) {
    if (!failure.empty() && !why.empty()) {
      if (failure.ends_with('.')) {
        why[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(why[0])));
        why = " " + why + ".";
      } else {
        why = "; " + why;
      }
    }
    result.message = path + ": " + failure + why;
    return result;
  };
  const bool extraFiles =
      options.loadSlipCsv || !options.profileSteps.empty() || !options.figureFormats.empty();
  if (!failure.empty() && !extraFiles) return failed("");
  // A failed run still leaves the CSV files and figures of the steps it finished.
  if (history.rows().empty() || resultFile.path().empty())
    return failed("no step finished, so no CSV file or figure was written");

  try {
    if (options.loadSlipCsv) {
      const std::string csv = besideResultFile(resultFile.path(), "csv");
      writeFileAtomically(csv, loadSlipCsv(history.rows(), options.units));
      result.files.push_back(csv);
    }
    for (const auto& profile : profiles.profiles()) {
      const std::string csv =
          besideResultFile(resultFile.path(), "step" + std::to_string(profile.step) + ".csv");
      writeFileAtomically(csv, profileCsv(profile, options.units));
      result.files.push_back(csv);
    }
    if (!options.figureFormats.empty()) {
      const RunRecord finished{record, history.start(), history.rows()};
      for (std::string& figure : writeRunFigures(finished, resultFile.path(), options.figureFormats,
                                                 options.profileSteps, options.units))
        result.files.push_back(std::move(figure));
    }
  } catch (const FileWriteError& error) {
    return failed(error.what());
  } catch (const FigureModuleError& error) {
    return failed(std::string("no figure written: ") + error.what());
  }
  if (!failure.empty())
    return failed("the CSV files and figures hold the " + std::to_string(history.rows().size()) +
                  " steps it finished");
  result.succeeded = true;
  result.message = summary(path, run, resultFile.path());
  return result;
}

}  // namespace kvt
