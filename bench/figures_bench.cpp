// SPDX-License-Identifier: MIT
// Report figures: moving the results window's step selector on a bar of 20,000 segments (the
// distribution marched again and drawn), against the bare march of the same step; and what
// `kvt-batch --figures png,svg,pdf` adds to a plain run of the default case, each a whole
// process as the user starts it. Offscreen platform, so no display is needed.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "analysis/run_record.h"
#include "analysis/section_march.h"
#include "offscreen_benchmarks.h"
#include "support/committed_defaults.h"
#include "support/fake_prompt.h"
#include "support/temp_dir.h"
#include "ui/results_window.h"

extern char** environ;

namespace {

// lb = 20 cm in segments of 0.001 cm.
kvt::RunRecord longBarRun() {
  kvt::AnalysisParameters p = kvt::testing::committedDefaults();
  p.deltaL = 0.001f;
  return kvt::recordRun(p);
}

const std::shared_ptr<const kvt::RunRecord>& longBarShared() {
  static const auto run = std::make_shared<const kvt::RunRecord>(longBarRun());
  return run;
}

const kvt::RunRecord& longBar() {
  return *longBarShared();
}

// Steps on either side of the peak, in turn, so that every move draws a different distribution.
int stepOf(std::int64_t k) {
  const int steps = static_cast<int>(longBar().rows().size());
  return 1 + static_cast<int>((k * 97) % steps);
}

void BM_StepSelectorRedrawsTheDistribution(benchmark::State& state) {
  if (longBar().segmentCount() != 20000) state.SkipWithError("not 20,000 segments");
  kvt::testing::FakePrompt prompt;
  kvt::ui::ResultsWindow window(longBarShared(), prompt);
  window.showTab(kvt::ui::ResultsWindow::Tab::Distribution);
  window.show();
  std::int64_t k = 0;
  for (auto _ : state) {
    window.selectStep(stepOf(++k));
    // The frame the user sees: the window painted with the new distribution.
    benchmark::DoNotOptimize(window.grab());
  }
  state.counters["segments"] = longBar().segmentCount();
}
BENCHMARK(BM_StepSelectorRedrawsTheDistribution)->Unit(benchmark::kMillisecond);

// The reference: the same step marched again, nothing drawn.
void BM_ReplayOfAStep(benchmark::State& state) {
  std::int64_t k = 0;
  for (auto _ : state) {
    const kvt::LoadSlipRow& row = *longBar().row(stepOf(++k));
    benchmark::DoNotOptimize(kvt::replaySections(longBar().parameters(), row.s0, row.step));
  }
}
BENCHMARK(BM_ReplayOfAStep)->Unit(benchmark::kMillisecond);

// kvt-batch on a copy of the default example, as a process of its own, without and with figures.
void runBatch(const std::vector<std::string>& arguments, benchmark::State& state) {
  std::vector<char*> argv;
  std::string program = KVT_BATCH;
  argv.push_back(program.data());
  std::vector<std::string> args = arguments;
  for (std::string& a : args)
    argv.push_back(a.data());
  argv.push_back(nullptr);
  // The summary line goes nowhere: the benchmark's own table is what is read.
  posix_spawn_file_actions_t quiet;
  posix_spawn_file_actions_init(&quiet);
  posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int started = posix_spawn(&pid, program.c_str(), &quiet, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&quiet);
  if (started != 0) {
    state.SkipWithError("kvt-batch could not be started");
    return;
  }
  int status = 0;
  waitpid(pid, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) state.SkipWithError("kvt-batch failed");
}

void BM_BatchDefaultCase(benchmark::State& state) {
  const kvt::testing::TempDir dir;
  const std::string file = dir.file("default.kvt");
  std::filesystem::copy_file(std::string(KVT_EXAMPLES) + "/default.kvt", file);
  std::vector<std::string> arguments = {file};
  if (state.range(0) == 1) arguments = {"--figures", "png,svg,pdf", file};
  for (auto _ : state)
    runBatch(arguments, state);
}
// Arg 0: plain; arg 1: with --figures png,svg,pdf.
BENCHMARK(BM_BatchDefaultCase)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(8);

}  // namespace

int main(int argc, char** argv) {
  return kvt::bench::runOffscreenBenchmarks(argc, argv);
}
