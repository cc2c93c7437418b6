// SPDX-License-Identifier: MIT
#include "case_study.h"

#include <atomic>
#include <chrono>

#include "case_run.h"

namespace kvt::python {

namespace {

constexpr auto kProgressEvery = std::chrono::milliseconds(200);

// kvt-batch's command line for the study: its options, then the case in the place of a file,
// which the parser checks but never reads. --law names a file, which a case in hand replaces.
BatchCommand parseStudyOptions(const std::vector<std::string>& options, const std::string& label) {
  for (const std::string& option : options)
    if (option == "--law" || option.starts_with("--law="))
      throw UsageError("a study takes the case's law; give it with case.with_(law=…)");
  std::vector<std::string> args = options;
  args.push_back("--");
  args.push_back(label.empty() ? "case" : label);
  return parseBatchCommandLine(args);
}

BatchCommand withLaw(BatchCommand command, const LawEntries& law) {
  command.options.law = law;
  return command;
}

}  // namespace

CaseStudy::CaseStudy(const CaseEntries& base, const LawEntries& law,
                     const std::vector<std::string>& options)
    : base_(base),
      command_(withLaw(parseStudyOptions(options, caseLabel(base)), law)),
      study_(Study::ofEntries(base_.entries(), command_.options, command_.study)),
      runner_(new StudyCaseRunner(study_->caseRunner(clock_))),
      table_(new SummaryTable(study_->summaryTable(command_.options.units))) {}

CaseStudy::~CaseStudy() = default;

std::vector<std::string> CaseStudy::lines(
    const std::function<void(std::uint64_t, std::uint64_t)>& progress, SignalWatch& watch) const {
  std::vector<std::string> lines;
  const std::uint64_t count = size();
  lines.reserve(count);
  auto lastProgress = std::chrono::steady_clock::now();
  const auto tell = [&](bool always) {
    const auto now = std::chrono::steady_clock::now();
    if (!progress || (!always && now - lastProgress < kProgressEvery)) return;
    lastProgress = now;
    progress(lines.size(), count);
  };
  // The watch is asked on the calling thread only, where Python's handlers run; the runs'
  // threads read the flag it sets.
  std::atomic<bool> stopped = false;
  const auto look = [&] {
    if (watch.interrupted()) stopped = true;
  };
  study_->runCases(
      *runner_, 0,
      [&](std::uint64_t, StudyCase&& done) {
        lines.push_back(table_->line(done.row));
        look();
        tell(false);
      },
      [&] {
        look();
        tell(false);
      },
      [&] { return stopped.load(); });
  if (!stopped) tell(true);
  return lines;
}

}  // namespace kvt::python
