// SPDX-License-Identifier: MIT
// A whole run from an arbitrary parameter file, as kvt-batch makes it: loaded, committed, run
// with its result file (detail output as the file says). Bars of more than 200 segments are
// skipped and runs stop at step 300, to keep each input quick. Never crashes, ends only with a
// result or an analysis error, and the report is whole CR LF lines; a run that ended without an
// error has the lines of every step it finished.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "analysis/analysis_error.h"
#include "analysis/pull_out_run.h"
#include "analysis/segment_geometry.h"
#include "files/parameter_file.h"
#include "fuzz_support.h"
#include "output/result_file.h"
#include "params/commit_parameters.h"
#include "support/file_bytes.h"
#include "support/fixed_clock.h"

namespace {

class SilentPrompt : public kvt::UserPrompt {
 public:
  // Only "does not look like a parameter file; load it anyway?" is asked: yes, as kvt-batch says.
  bool question(const std::string&, const std::string&) override { return true; }
  void warning(const std::string&, const std::string&) override {}
};

class StopAt : public kvt::RunObserver {
 public:
  bool stopRequested(int step) override { return step > 300; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string parameterFile = kvt::fuzzing::scratchFolder() + "/run.kvt";
  kvt::testing::writeBytes(parameterFile, std::string(reinterpret_cast<const char*>(data), size));
  kvt::AnalysisParameters record;
  kvt::ParameterEntries entries(record);
  entries.loadDefaults();
  kvt::ParameterFileLines lines;
  SilentPrompt prompt;
  if (!kvt::LoadParameterFile(parameterFile, entries, lines, prompt)) return 0;
  try {
    kvt::commitParameters(entries.texts(), record);
  } catch (const kvt::NumericError&) {
    return 0;
  }
  try {
    if (kvt::segmentGeometry(record.lb, record.deltaL).segmentCount > 200) return 0;
  } catch (const kvt::AnalysisError&) {
    // The run meets the same fault at its start.
  }

  const kvt::testing::FixedClock clock;
  std::string report;
  std::optional<std::size_t> expectedLines;
  {
    kvt::ResultFile file(record, clock);
    StopAt stop;
    kvt::ObserverList observers;
    observers.add(file);
    observers.add(stop);
    kvt::PullOutRun run(record, observers);
    try {
      const auto outcome = run.run();
      const auto finished = static_cast<std::size_t>(
          outcome == kvt::PullOutRun::Outcome::Finished ? run.step() : run.step() - 1);
      const auto segments = static_cast<std::size_t>(run.geometry().segmentCount);
      expectedLines = record.detailOutput != 0 ? 3 + finished * (segments + 4) : 4 + finished;
    } catch (const kvt::AnalysisError&) {
      // Any fault ends the run with a message; the report keeps whole lines.
    }
    report = file.path();
  }
  if (report.empty()) return 0;  // refused before the file was chosen
  const auto reportLines = kvt::fuzzing::crLfLines(kvt::testing::readBytes(report));
  if (expectedLines && reportLines.size() != *expectedLines) std::abort();
  return 0;
}
