// SPDX-License-Identifier: MIT
#include "batch_job.h"

#include <exception>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <system_error>

#include "analysis/bar_yield.h"
#include "analysis/march_notes.h"
#include "code_lengths.h"
#include "command_outputs.h"
#include "files/law_file.h"
#include "ordered_runs.h"
#include "params/format_number.h"
#include "terminal_text.h"

namespace kvt {

namespace {

// Every line names files and entries that come from outside: their control characters are
// escaped, so each stays one line and cannot steer the terminal.
void printError(std::FILE* err, const std::string& message) {
  std::fprintf(err, "kvt-batch: %s\n", terminalText(message).c_str());
}

void printResult(std::FILE* out, const std::string& message) {
  std::fprintf(out, "%s\n", terminalText(message).c_str());
  std::fflush(out);
}

std::string forceText(double kgf, UnitSystem units) {
  return units == UnitSystem::SI
             ? formatNumber(inUnits(kgf, Quantity::Force, units), "##0.00") + " kN"
             : formatNumber(kgf, "####0") + " kgf";
}

// "τb.max 115.05 kgf/cm², τbumax 96.75 kgf/cm², Pbumax 7798 kgf", in the units of the outputs;
// with fy, whether the bar yields before it pulls out.
std::string peakText(const RunRecord& run, const BatchOptions& options) {
  const auto stress = [&](double kgfCm2) {
    return options.units == UnitSystem::SI
               ? formatNumber(inUnits(kgfCm2, Quantity::Stress, options.units), "##0.00") + " MPa"
               : formatNumber(kgfCm2, "##0.00") + " kgf/cm²";
  };
  std::string text = "τb.max " + stress(run.tauMax()) + ", τbumax " + stress(run.tauAvgMax()) +
                     ", Pbumax " + forceText(run.PMax(), options.units);
  if (options.fy) text += "; " + yieldVerdict(run, *options.fy, options.units);
  return text;
}

// "beam1.kvt: 432 steps, τb.max 115.05 kgf/cm², … → beam1.T-S". A run with another law names it
// and says that it wrote no report, and which files it wrote instead.
std::string summaryLine(const std::string& path, const RunOutcome& outcome,
                        const BatchOptions& options) {
  const RunRecord& run = outcome.record;
  std::string line =
      path + ": " + std::to_string(run.stepCount()) + " steps, " + peakText(run, options);
  if (!outcome.reportOmitted) return line + " → " + outcome.files.front();
  line += ", law " + describeLaw(run.law()).front().value +
          " → no report written (its header describes kvt's own law)";
  for (std::size_t k = 0; k < outcome.files.size(); ++k)
    line += (k == 0 ? "; " : ", ") + outcome.files[k];
  return line;
}

// A converged run says which method gave which file: its own numbers and files, then the
// march's behind the result file, or, for another law than kvt's own, that it wrote no report.
std::string convergedLine(const std::string& path, const RunOutcome& outcome,
                          const BatchOptions& options) {
  const RunRecord& run = outcome.record;
  const std::size_t first = outcome.march ? 1 : 0;
  std::string line = path + ": converged over lb = " + shortestNumber(run.analysedLength()) +
                     " cm: " + std::to_string(run.stepCount()) + " points, " +
                     peakText(run, options);
  for (std::size_t k = first; k < outcome.files.size(); ++k)
    line += (k == first ? " → " : ", ") + outcome.files[k];
  if (outcome.march)
    return line + "; segments: " + std::to_string(outcome.march->stepCount()) + " steps, Pbumax " +
           forceText(outcome.march->PMax(), options.units) + " → " + outcome.files.front();
  if (outcome.reportOmitted)
    line += "; law " + describeLaw(run.law()).front().value +
            ", no report written (its header describes kvt's own law)";
  return line;
}

// What the march makes of the bar, when it ran: the length it analyses if not lb, and a
// rising branch its first step already passed.
void addMarchNotes(const std::string& path, const RunOutcome& outcome,
                   std::vector<std::string>& warnings) {
  const RunRecord& march = outcome.march ? *outcome.march : outcome.record;
  if (march.stepCount() == 0) return;
  const AnalysisParameters& p = march.parameters();
  if (auto note = analysedLengthNote(p.lb, p.deltaL)) warnings.push_back(path + ": " + *note);
  if (auto note = risingBranchNote(march)) warnings.push_back(path + ": " + *note);
}

// Two inputs whose outputs would land on the same file: the names of both and the file.
std::optional<std::string> sameOutput(const std::vector<std::string>& inputs,
                                      const std::vector<std::string>& outputs) {
  std::map<std::string, std::size_t> seen;
  for (std::size_t k = 0; k < outputs.size(); ++k) {
    const std::string key = std::filesystem::path(outputs[k]).lexically_normal().string();
    const auto [where, fresh] = seen.emplace(key, k);
    if (!fresh && inputs[where->second] != inputs[k])
      return inputs[where->second] + " and " + inputs[k] + " would both write " + outputs[k];
  }
  return std::nullopt;
}

std::optional<std::string> makeOutputDir(const std::string& dir) {
  if (dir.empty()) return std::nullopt;
  std::error_code error;
  std::filesystem::create_directories(dir, error);
  if (!error && !std::filesystem::is_directory(dir, error))
    error = std::make_error_code(std::errc::not_a_directory);
  if (error) return "--output-dir " + dir + ": " + error.message();
  return std::nullopt;
}

}  // namespace

BatchResult runAndReport(const std::string& path, const BatchOptions& options, const Clock& clock) {
  BatchResult result;
  try {
    FileRun run = runParameterFile(path, options, clock);
    result.warnings = std::move(run.warnings);
    result.succeeded = run.outcome.succeeded();
    addMarchNotes(path, run.outcome, result.warnings);
    if (!result.succeeded) {
      result.message = path + ": " + failureText(run.outcome);
    } else if (run.outcome.record.converged()) {
      result.message = convergedLine(path, run.outcome, options);
    } else {
      result.message = summaryLine(path, run.outcome, options);
    }
    if (auto note = elasticBarNote(run.outcome.record, options.units))
      result.warnings.push_back(path + ": " + *note);
    result.files = std::move(run.outcome.files);
    // A failed run's error line says already how many steps its files hold.
    const int steps = run.outcome.record.stepCount();
    if (result.succeeded)
      if (auto note = unreachedProfileSteps(options.profileSteps, steps))
        result.warnings.push_back(path + ": " + *note);
  } catch (const NumericError& error) {
    result.message = path + ": " + error.what();
  } catch (const Error& error) {
    result.message = error.what();  // a file that cannot be loaded names itself
  } catch (const std::exception& error) {
    // Whatever went wrong with one file, the others still run.
    result.message = path + ": " + error.what();
  }
  return result;
}

namespace {

int runFiles(const BatchCommand& command, const Clock& clock, std::FILE* out, std::FILE* err) {
  const BatchOptions& options = command.options;
  std::vector<std::string> results;
  for (const std::string& file : command.files)
    results.push_back(resultFileFor(file, options.outputDir));
  if (auto clash = sameOutput(command.files, results)) {
    printError(err, *clash);
    return 2;
  }
  if (auto clash = outputClash(command, {})) {
    printError(err, *clash);
    return 2;
  }
  if (auto error = makeOutputDir(options.outputDir)) {
    printError(err, *error);
    return 2;
  }
  // A file given twice writes the same result file twice: then one at a time.
  const bool repeated = std::set(results.begin(), results.end()).size() != results.size();
  const unsigned jobs = repeated ? 1 : options.jobs == 0 ? everyCore() : options.jobs;
  int failures = 0;
  runInOrder<BatchResult>(
      command.files.size(), jobs,
      [&](std::uint64_t k) { return runAndReport(command.files[k], options, clock); },
      [&](std::uint64_t, BatchResult&& result) {
        for (const std::string& warning : result.warnings)
          printError(err, warning);
        if (result.succeeded) {
          printResult(out, result.message);
        } else {
          printError(err, result.message);
          ++failures;
        }
      },
      {});
  return failures == 0 ? 0 : 1;
}

int runStudies(const BatchCommand& command, const Clock& clock, std::FILE* out, std::FILE* err) {
  std::vector<std::unique_ptr<Study>> studies;
  std::vector<std::string> summaries;
  for (const std::string& file : command.files) {
    try {
      studies.push_back(Study::prepare(file, command.options, command.study));
    } catch (const Error& error) {
      printError(err, error.what());
      return 2;
    }
    summaries.push_back(studies.back()->summaryPath());
  }
  if (auto clash = sameOutput(command.files, summaries)) {
    printError(err, *clash);
    return 2;
  }
  if (auto clash = outputClash(command, summaries)) {
    printError(err, *clash);
    return 2;
  }
  if (auto error = makeOutputDir(command.options.outputDir)) {
    printError(err, *error);
    return 2;
  }
  int failures = 0;
  for (const auto& study : studies) {
    for (const std::string& warning : study->warnings())
      printError(err, warning);
    try {
      const StudyResult result = study->run(clock, err);
      printResult(out, result.message);
      for (const std::string& line : result.details)
        printResult(out, line);
      for (const std::string& error : result.errors)
        printError(err, error);
      if (!result.succeeded) ++failures;
    } catch (const std::exception& error) {
      printError(err, error.what());
      ++failures;
    }
  }
  return failures == 0 ? 0 : 1;
}

// The law of --law, read once before anything runs; a study that varies the law's entries needs
// an MC2010 law.
std::optional<std::string> readLaw(BatchCommand& command) {
  if (command.lawFile) {
    try {
      command.options.law = readLawFile(*command.lawFile);
    } catch (const Error& error) {
      return error.what();
    }
  }
  LawEntries law = command.options.law;
  return command.study.grid.enterLaw(0, law);
}

// --codes without a study: each case's bar and strengths, and every code's length for it.
int printCodeLengths(const BatchCommand& command, std::FILE* out, std::FILE* err) {
  int failures = 0;
  for (const std::string& file : command.files) {
    try {
      AnalysisParameters record;
      ParameterEntries entries(record);
      loadForBatch(file, entries);
      for (const std::string& warning : partialEntryWarnings(file, entries))
        printError(err, warning);
      commitForRun(entries, command.options);
      const std::string report = codeLengthsReport(file, record, command.options.fy.value_or(0),
                                                   command.study.codes, command.options.units);
      for (std::size_t at = 0; at < report.size();) {
        const std::size_t end = report.find('\n', at);
        printResult(out, report.substr(at, end - at));
        at = end == std::string::npos ? report.size() : end + 1;
      }
    } catch (const NumericError& error) {
      printError(err, file + ": " + error.what());
      ++failures;
    } catch (const Error& error) {
      printError(err, error.what());
      ++failures;
    }
  }
  return failures == 0 ? 0 : 1;
}

}  // namespace

int runBatchCommand(const BatchCommand& given, const Clock& clock, std::FILE* out, std::FILE* err) {
  if (given.action == BatchCommand::Action::Help) {
    std::fwrite(batchUsage().data(), 1, batchUsage().size(), out);
    return 0;
  }
  for (const std::string& note : given.notes)
    printError(err, note);
  if (given.codesOnly()) return printCodeLengths(given, out, err);
  BatchCommand command = given;
  if (auto error = readLaw(command)) {
    printError(err, *error);
    return 2;
  }
  return command.study.isStudy() ? runStudies(command, clock, out, err)
                                 : runFiles(command, clock, out, err);
}

}  // namespace kvt
