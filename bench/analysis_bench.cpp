// SPDX-License-Identifier: MIT
// Speed of the numerical core: bond-law evaluations, and whole runs with an observer that does
// nothing, reported as segments marched per second.
#include <benchmark/benchmark.h>

#include "analysis/bond_law.h"
#include "analysis/pull_out_run.h"
#include "analysis/run_record.h"
#include "support/committed_defaults.h"

namespace {

using kvt::AnalysisParameters;

void BM_BondStress(benchmark::State& state) {
  const kvt::BondLaw law(kvt::testing::committedDefaults());
  double s = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(law.stress(s));
    s += 1e-6;
    if (s > 0.1) s = 0;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_BondStress);

// A whole run, counted in segments marched (steps × segments).
void runWithSegmentLength(benchmark::State& state, float deltaL) {
  std::int64_t segments = 0;
  for (auto _ : state) {
    AnalysisParameters p = kvt::testing::committedDefaults();
    p.deltaL = deltaL;
    kvt::RunObserver nothing;
    kvt::PullOutRun run(p, nothing);
    benchmark::DoNotOptimize(run.run());
    segments += static_cast<std::int64_t>(run.step()) * run.geometry().segmentCount;
    state.counters["steps"] = run.step();
  }
  state.counters["segments/s"] =
      benchmark::Counter(static_cast<double>(segments), benchmark::Counter::kIsRate);
}

void BM_DefaultRun(benchmark::State& state) {
  runWithSegmentLength(state, 0.65f);
}
BENCHMARK(BM_DefaultRun)->Unit(benchmark::kMillisecond);

// The default run as the C++ API gives it with its record, every step's row kept: the reference
// that bench/python_bench.py sets kvt.run of the same case against. The entries are committed
// once, outside the loop, where kvt.run commits them for every run: the reference is the
// cheaper of the two.
void BM_RecordedDefaultRun(benchmark::State& state) {
  const AnalysisParameters p = kvt::testing::committedDefaults();
  for (auto _ : state) {
    kvt::RunRecord record = kvt::recordRun(p);
    benchmark::DoNotOptimize(record.PMax());
  }
}
BENCHMARK(BM_RecordedDefaultRun)->Unit(benchmark::kMillisecond);

void BM_Run20000Segments(benchmark::State& state) {
  runWithSegmentLength(state, 0.001f);
}
BENCHMARK(BM_Run20000Segments)->Unit(benchmark::kMillisecond);

}  // namespace
