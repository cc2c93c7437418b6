// SPDX-License-Identifier: MIT
// A run through the windows, from "Execute" to "OK", against the same run without windows (as
// kvt-batch does it: the analysis and its result file). Offscreen platform, so no display needed.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <filesystem>

#include "analysis/pull_out_run.h"
#include "offscreen_benchmarks.h"
#include "output/result_file.h"
#include "params/commit_parameters.h"
#include "params/parameter_entries.h"
#include "support/fake_prompt.h"
#include "support/fixed_clock.h"
#include "support/temp_dir.h"
#include "ui/form1.h"
#include "ui/run_controller.h"

namespace {

// Δl of the benchmark: 0.65 gives the default 31 segments, 0.01 gives 2000.
const char* deltaLText(const benchmark::State& state) {
  return state.range(0) == 0 ? "0.65" : "0.01";
}

// The parameter window stays open, as for a user who runs one case after another; each
// iteration is one "Execute" … "OK".
void BM_WindowsExecuteToOk(benchmark::State& state) {
  const kvt::testing::TempDir dir;
  const kvt::testing::Cwd cwd(dir.path());
  kvt::AnalysisParameters record;
  kvt::testing::FakePrompt prompt;
  const kvt::testing::FixedClock clock;
  kvt::ui::Form1 form(record, prompt, clock);
  form.show();
  form.box(4)->setText(deltaLText(state));
  for (auto _ : state) {
    form.execute();
    kvt::ui::RunController* run = form.runController();
    while (run->state() == kvt::ui::RunController::State::Loaded ||
           run->state() == kvt::ui::RunController::State::Running)
      QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    state.PauseTiming();
    if (run->state() != kvt::ui::RunController::State::Finished) state.SkipWithError("run failed");
    run->closeAnalysisWindows();
    QApplication::processEvents();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_WindowsExecuteToOk)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_BatchRun(benchmark::State& state) {
  const kvt::testing::TempDir dir;
  const kvt::testing::Cwd cwd(dir.path());
  const kvt::testing::FixedClock clock;
  for (auto _ : state) {
    kvt::AnalysisParameters record;
    kvt::ParameterEntries entries(record);
    entries.loadDefaults();
    entries.setText(4, deltaLText(state));
    kvt::commitParameters(entries.texts(), record);
    kvt::ResultFile file(record, clock);
    kvt::PullOutRun(record, file).run();
  }
}
BENCHMARK(BM_BatchRun)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return kvt::bench::runOffscreenBenchmarks(argc, argv);
}
