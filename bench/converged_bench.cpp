// SPDX-License-Identifier: MIT
// The converged analysis against the march of segments at equal accuracy, on the default case.
// Before timing, the reference Pbumax is the converged one at a tolerance a hundred times tighter
// than the default; the converged run is then given the loosest tolerance whose Pbumax is within
// 1e-4 of it, and the march the coarsest Δl dividing lb = 20 cm whose Pbumax is. Both are whole
// runs: the converged one places its points, finds Pbumax and ends where no bond is left; the
// march steps until its average bond stress is zero. `BM_ConvergedAgainstMarch` times the two in
// turn and reports how many times faster the converged run is, which machine load affects far
// less than either time alone. `BM_ConvergedDefaultRun` is the run at the default tolerance.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "analysis/converged_run.h"
#include "analysis/pull_out_run.h"
#include "support/committed_defaults.h"

namespace {

using kvt::AnalysisParameters;

constexpr double kAccuracy = 1e-4;

double marchPbumax(AnalysisParameters p, float deltaL) {
  p.deltaL = deltaL;
  kvt::RunObserver nothing;
  kvt::PullOutRun run(p, nothing);
  run.run();
  return run.PMax();
}

struct EqualAccuracy {
  double reference = 0;
  double tolerance = 0;
  double convergedError = 0;
  float deltaL = 0;
  double marchError = 0;
};

const EqualAccuracy& equalAccuracy() {
  static const EqualAccuracy found = [] {
    const AnalysisParameters p = kvt::testing::committedDefaults();
    EqualAccuracy e;
    kvt::ConvergedOptions tight;
    tight.relativeTolerance = kvt::kConvergedTolerance / 100;
    e.reference = kvt::runConverged(p, tight).peak.force;
    for (double tolerance = 1e-2; tolerance > 1e-12 && e.tolerance == 0; tolerance /= 10) {
      kvt::ConvergedOptions options;
      options.relativeTolerance = tolerance;
      const double error = std::abs(kvt::runConverged(p, options).peak.force / e.reference - 1);
      if (error <= kAccuracy) e = {e.reference, tolerance, error, 0, 0};
    }
    // Δl·1000 must divide lb·1000 = 20000, so that the analysed bar is lb.
    for (int thousandths = 20000; thousandths >= 1 && e.deltaL == 0; --thousandths) {
      if (20000 % thousandths != 0) continue;
      const float deltaL = static_cast<float>(thousandths) / 1000.0f;
      const double error = std::abs(marchPbumax(p, deltaL) / e.reference - 1);
      if (error <= kAccuracy) {
        e.deltaL = deltaL;
        e.marchError = error;
      }
    }
    if (e.tolerance == 0 || e.deltaL == 0) throw std::logic_error("no run reaches the accuracy");
    std::fprintf(stderr,
                 "equal accuracy: Pbumax %.6f kgf; converged at tolerance %.0e (error %.1e), "
                 "march at Δl = %g cm (error %.1e)\n",
                 e.reference, e.tolerance, e.convergedError, static_cast<double>(e.deltaL),
                 e.marchError);
    return e;
  }();
  return found;
}

template <class Run>
double seconds(Run&& run) {
  const auto start = std::chrono::steady_clock::now();
  run();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_ConvergedAgainstMarch(benchmark::State& state) {
  const EqualAccuracy& e = equalAccuracy();
  AnalysisParameters p = kvt::testing::committedDefaults();
  kvt::ConvergedOptions options;
  options.relativeTolerance = e.tolerance;
  double converged = 0, march = 0;
  for (auto _ : state) {
    converged += seconds([&] { benchmark::DoNotOptimize(kvt::runConverged(p, options)); });
    march += seconds([&] { benchmark::DoNotOptimize(marchPbumax(p, e.deltaL)); });
  }
  const auto n = static_cast<double>(state.iterations());
  state.counters["converged ms"] = 1000 * converged / n;
  state.counters["march ms"] = 1000 * march / n;
  state.counters["times faster"] = march / converged;
  state.counters["tolerance"] = e.tolerance;
  state.counters["deltaL cm"] = static_cast<double>(e.deltaL);
}
BENCHMARK(BM_ConvergedAgainstMarch)->Unit(benchmark::kMillisecond)->MinTime(2);

void BM_ConvergedDefaultRun(benchmark::State& state) {
  const AnalysisParameters p = kvt::testing::committedDefaults();
  std::size_t points = 0;
  for (auto _ : state)
    points = kvt::runConverged(p).points.size();
  state.counters["points"] = static_cast<double>(points);
}
BENCHMARK(BM_ConvergedDefaultRun)->Unit(benchmark::kMillisecond);

}  // namespace
