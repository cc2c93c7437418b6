// SPDX-License-Identifier: MIT
#include "batch_job.h"

#include <exception>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <system_error>

#include "command_outputs.h"
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

std::string summaryLine(const std::string& path, const RunRecord& run, const std::string& file) {
  return path + ": " + std::to_string(run.stepCount()) + " steps, τb.max " +
         formatNumber(run.tauMax(), "##0.00") + " kgf/cm², τbumax " +
         formatNumber(run.tauAvgMax(), "##0.00") + " kgf/cm², Pbumax " +
         formatNumber(run.PMax(), "####0") + " kgf → " + file;
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
    result.files = std::move(run.outcome.files);
    result.succeeded = run.outcome.succeeded();
    result.message = result.succeeded ? summaryLine(path, run.outcome.record, result.files.front())
                                      : path + ": " + failureText(run.outcome);
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

}  // namespace

int runBatchCommand(const BatchCommand& command, const Clock& clock, std::FILE* out,
                    std::FILE* err) {
  if (command.action == BatchCommand::Action::Help) {
    std::fwrite(batchUsage().data(), 1, batchUsage().size(), out);
    return 0;
  }
  for (const std::string& note : command.notes)
    printError(err, note);
  return command.study.isStudy() ? runStudies(command, clock, out, err)
                                 : runFiles(command, clock, out, err);
}

}  // namespace kvt
