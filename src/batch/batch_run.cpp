// SPDX-License-Identifier: MIT
#include "batch_run.h"

#include "analysis/analysis_error.h"
#include "analysis/pull_out_run.h"
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
  try {
    run.run();
  } catch (const AnalysisError& error) {
    if (!resultFile.path().empty()) result.files.push_back(resultFile.path());
    result.message = path + ": " + error.what();
    return result;
  }
  result.files.push_back(resultFile.path());

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
  } catch (const FileWriteError& error) {
    result.message = path + ": " + error.what();
    return result;
  }
  result.succeeded = true;
  result.message = summary(path, run, resultFile.path());
  return result;
}

}  // namespace kvt
