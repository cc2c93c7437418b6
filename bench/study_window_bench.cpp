// SPDX-License-Identifier: MIT
// A 200-run study from the study window against the same study run by kvt-batch's engine, with
// the same number of runs at a time. The window's throughput should be at least 0.9 of the
// engine's, and its event loop should never wait more than 50 ms: a 5 ms timer runs beside the
// study and the largest gap between its ticks is reported as `largest_gap_ms`.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QSpinBox>
#include <QTimer>
#include <algorithm>

#include "batch/study_run.h"
#include "params/parameter_entries.h"
#include "support/fake_prompt.h"
#include "support/fixed_clock.h"
#include "support/temp_dir.h"
#include "ui/study_grid_editor.h"
#include "ui/study_job.h"
#include "ui/study_run_bar.h"
#include "ui/study_window.h"

namespace {

// 200 lengths of the default case, 5 to 104.5 cm, each cut into segments of 0.05 cm (100 to
// 2090 segments): a study of some seconds, as a user runs it.
constexpr const char* kLengths = "5:104.5:0.5";
constexpr const char* kDeltaL = "0.05";
constexpr int kRuns = 200;

void loadBase(kvt::ParameterEntries& entries) {
  entries.loadDefaults();
  entries.setText(4, kDeltaL);
}

unsigned jobsOf(const benchmark::State& state) {
  return static_cast<unsigned>(state.range(0));
}

void BM_StudyKvtBatchEngine(benchmark::State& state) {
  const kvt::testing::TempDir dir;
  const kvt::testing::Cwd cwd(dir.path());
  const kvt::testing::FixedClock clock;
  kvt::AnalysisParameters record;
  kvt::ParameterEntries entries(record);
  loadBase(entries);
  kvt::BatchOptions options;
  options.jobs = jobsOf(state);
  kvt::StudyOptions study;
  study.grid = kvt::StudyGrid(
      {std::get<kvt::VariedEntry>(kvt::VariedEntry::parse(std::string("lb=") + kLengths))});
  for (auto _ : state) {
    const auto result = kvt::Study::ofEntries(entries, options, study)->run(clock);
    if (!result.succeeded) state.SkipWithError("the study failed");
  }
  state.counters["runs_per_s"] =
      benchmark::Counter(static_cast<double>(kRuns), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_StudyKvtBatchEngine)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_StudyWindow(benchmark::State& state) {
  const kvt::testing::TempDir dir;
  const kvt::testing::Cwd cwd(dir.path());
  const kvt::testing::FixedClock clock;
  kvt::testing::FakePrompt prompt;
  kvt::AnalysisParameters record;
  kvt::ParameterEntries entries(record);
  loadBase(entries);
  kvt::ui::StudyWindow window({entries, prompt, clock, {}, {}, {}});
  window.show();
  window.gridEditor()->valuesBox(0)->setText(kLengths);
  window.runBar()->jobsBox()->setValue(static_cast<int>(state.range(0)));

  QElapsedTimer sinceTick;
  qint64 largestGap = 0;
  QTimer ticker;
  ticker.setInterval(5);
  QObject::connect(&ticker, &QTimer::timeout,
                   [&] { largestGap = std::max(largestGap, sinceTick.restart()); });
  for (auto _ : state) {
    window.run();
    sinceTick.start();
    ticker.start();
    while (window.job()->isRunning())
      QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    ticker.stop();
    if (window.job()->state() != kvt::ui::StudyJob::State::Finished)
      state.SkipWithError("the study did not finish");
  }
  state.counters["runs_per_s"] =
      benchmark::Counter(static_cast<double>(kRuns), benchmark::Counter::kIsIterationInvariantRate);
  state.counters["largest_gap_ms"] = static_cast<double>(largestGap);
}
BENCHMARK(BM_StudyWindow)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
