// SPDX-License-Identifier: MIT
#include "batch_run.h"

#include <cctype>
#include <filesystem>

#include "analysis/analysis_error.h"
#include "analysis/converged_record.h"
#include "analysis/pull_out_run.h"
#include "batch_figures.h"
#include "figure_loader.h"
#include "files/atomic_write.h"
#include "files/parameter_file.h"
#include "output/csv_export.h"
#include "output/result_file.h"
#include "params/commit_parameters.h"
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

// The CSV files and figures of a run beside its result file, of the steps it finished.
void writeExtras(const RunRecord& run, const std::string& resultFile, const RunWrites& writes,
                 std::vector<std::string>& written) {
  if (writes.loadSlipCsv) {
    const std::string csv = besideResultFile(resultFile, "csv");
    writeFileAtomically(csv, lawCommentLine(run.law()) + loadSlipCsv(run.rows(), writes.units));
    written.push_back(csv);
  }
  for (const int step : writes.profileSteps) {
    if (!run.row(step)) continue;
    const std::string csv = besideResultFile(resultFile, "step" + std::to_string(step) + ".csv");
    writeFileAtomically(csv,
                        lawCommentLine(run.law()) + profileCsv(run.sections(step), writes.units));
    written.push_back(csv);
  }
  if (!writes.figureFormats.empty())
    for (std::string& figure :
         writeRunFigures(run, resultFile, {writes.figureFormats, writes.figureSize, writes.fy},
                         writes.profileSteps, writes.units))
      written.push_back(std::move(figure));
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

void loadForBatch(const std::string& path, ParameterEntries& entries) {
  entries.loadDefaults();
  ParameterFileLines lines;
  CollectingPrompt prompt;
  if (!LoadParameterFile(path, entries, lines, prompt))
    throw Error(ErrorKind::File,
                prompt.first.empty() ? path + ": could not be loaded" : prompt.first);
  // Loaded, but an entry could not be converted.
  if (!prompt.first.empty()) throw Error(ErrorKind::Parameter, prompt.first);
  entries.record().parameterFilePath = path;
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

void commitForRun(ParameterEntries& entries, const BatchOptions& options) {
  if (options.initialDs) entries.setText(kInitialDsBox, *options.initialDs);
  if (options.detailOutput) entries.setDetailOutput(*options.detailOutput);
  commitParameters(entries.texts(), entries.record());
}

namespace {

// The CSV files and figures of a run, caught: a run that wrote its result file still counts.
void writeExtrasOf(RunOutcome& outcome, const std::string& resultFile, const RunWrites& writes) {
  try {
    writeExtras(outcome.record, resultFile, writes, outcome.files);
  } catch (const FileWriteError& error) {
    outcome.extrasFailure = error;
  } catch (const FigureModuleError& error) {
    outcome.extrasFailure = Error(ErrorKind::File, error.what());
    outcome.figureModuleFailed = true;
  }
}

// A converged run: the result file is still the march's report, so the march runs for it alone;
// the record, the CSV files and the figures are the converged analysis'. Another law than kvt's
// own writes no report, so no march runs.
RunOutcome convergedOutcome(const AnalysisParameters& parameters, const RunWrites& writes,
                            const Clock& clock, const CaseSource& source, const LawEntries& law) {
  RunOutcome outcome;
  outcome.record = convergedRecord(parameters, source, law);
  outcome.extrasAsked = writes.extras();
  if (!writes.resultFile) return outcome;
  outcome.resultName = resultFileName(parameters.resultFilePath);
  if (isKvtLaw(law)) {
    RunOutcome report = runRecord(parameters, RunWrites{}, clock, source, law);
    outcome.files = std::move(report.files);
    outcome.march = std::move(report.record);
  } else {
    outcome.reportOmitted = true;
  }
  if (outcome.extrasAsked && outcome.record.stepCount() > 0)
    writeExtrasOf(outcome, outcome.resultName, writes);
  return outcome;
}

}  // namespace

RunOutcome runRecord(const AnalysisParameters& parameters, const RunWrites& writes,
                     const Clock& clock, CaseSource source, const LawEntries& law) {
  if (writes.method == RunMethod::Converged)
    return convergedOutcome(parameters, writes, clock, source, law);
  RunOutcome outcome;
  outcome.record = RunRecord(parameters, std::move(source), law);
  outcome.extrasAsked = writes.extras();
  RunRecord& run = outcome.record;
  // A run bound to fail at once leaves every earlier report and CSV file as it was.
  try {
    PullOutRun::checkBeforeRun(parameters, law);
  } catch (const Error& error) {
    run.fail(error);
    outcome.refusedBeforeRun = writes.resultFile;
    return outcome;
  }
  if (!writes.resultFile) {
    run = recordRun(parameters, run.source(), law);
    return outcome;
  }
  if (isKvtLaw(law)) {
    ResultFile resultFile(run.parameters(), clock);
    recordRun(run, resultFile);
    outcome.resultName = resultFile.path();
    if (!outcome.resultName.empty()) outcome.files.push_back(outcome.resultName);
  } else {
    // The report's header describes kvt's own law: another law's run writes none.
    run = recordRun(parameters, run.source(), law);
    outcome.reportOmitted = true;
    outcome.resultName = resultFileName(parameters.resultFilePath);
  }
  // A failed run still leaves the CSV files and figures of the steps it finished.
  if (!outcome.extrasAsked || run.stepCount() == 0) return outcome;
  writeExtrasOf(outcome, outcome.resultName, writes);
  return outcome;
}

std::string failureText(const RunOutcome& outcome) {
  if (outcome.march) {
    // A converged run: each method's failure under its name.
    RunOutcome converged = outcome;
    converged.march.reset();
    std::string text = converged.succeeded() ? "" : "converged: " + failureText(converged);
    if (outcome.march->outcome() != RunRecord::Outcome::Finished)
      text += (text.empty() ? "" : "; ") + std::string("segments, for the result file: ") +
              outcome.march->failure();
    return text;
  }
  const RunRecord& run = outcome.record;
  const std::string& failure = run.failure();
  if (outcome.refusedBeforeRun) return failure + " Nothing was written.";
  // What became of the CSV files and figures, after the run's own failure if there is one.
  std::string extras;
  if (outcome.extrasAsked && run.stepCount() == 0) {
    extras = "no step finished, so no CSV file or figure was written";
  } else if (outcome.extrasFailure) {
    extras = (outcome.figureModuleFailed ? "no figure written: " : "") +
             std::string(outcome.extrasFailure->what());
  } else if (outcome.extrasAsked && !failure.empty()) {
    extras = "the CSV files and figures hold the " + std::to_string(run.stepCount()) +
             " steps it finished";
  }
  if (failure.empty() || extras.empty()) return failure + extras;
  if (!failure.ends_with('.')) return failure + "; " + extras;
  extras[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(extras[0])));
  return failure + " " + extras + ".";
}

FileRun runParameterFile(const std::string& path, const BatchOptions& options, const Clock& clock) {
  AnalysisParameters record;
  ParameterEntries entries(record);
  loadForBatch(path, entries);
  FileRun run;
  run.warnings = partialEntryWarnings(path, entries);
  if (!options.outputDir.empty()) record.resultFilePath = resultFileFor(path, options.outputDir);
  commitForRun(entries, options);
  RunWrites writes;
  writes.loadSlipCsv = options.loadSlipCsv;
  writes.profileSteps = options.profileSteps;
  writes.units = options.units;
  writes.figureFormats = options.figureFormats;
  writes.figureSize = options.figureSize;
  writes.fy = options.fy;
  writes.method = options.method.value_or(RunMethod::Segments);
  run.outcome = runRecord(record, writes, clock, entries.caseSource(), options.law);
  return run;
}

std::optional<std::string> unreachedProfileSteps(const std::set<int>& steps, int lastStep) {
  std::string list;
  int count = 0;
  for (auto step = steps.upper_bound(lastStep); step != steps.end(); ++step, ++count)
    list += (count == 0 ? "" : ", ") + std::to_string(*step);
  if (count == 0) return std::nullopt;
  return "--profile-csv step " + list + (count == 1 ? " lies" : " lie") +
         " beyond the run's last step, " + std::to_string(lastStep) +
         ": no CSV file or figure for " + (count == 1 ? "it" : "them");
}

}  // namespace kvt
