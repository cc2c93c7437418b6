// SPDX-License-Identifier: MIT
// kvt-batch end to end against a bare loop of the same arithmetic, in segments marched per
// second: a parameter file with lb = 20 cm and Δl = 0.001 cm (20000 segments, 427 steps) is
// loaded, committed, run and reported exactly as `kvt-batch FILE` does it, while the bare loop
// marches the same steps' free-end slips with the bond law written out and nothing else: no
// fault checks, no observers, no file. `BM_BatchAgainstBareLoop` times both in turn and reports
// the batch run's share of the bare loop's rate, which machine load affects far less than
// either time alone.
#include <benchmark/benchmark.h>

#include <time.h>

#include <cstdio>
#include <string>
#include <vector>

#include "analysis/bond_law.h"
#include "analysis/pull_out_run.h"
#include "batch/batch_job.h"
#include "batch/batch_run.h"
#include "output/clock.h"
#include "support/committed_defaults.h"
#include "support/fixed_clock.h"
#include "support/temp_dir.h"

namespace {

using kvt::AnalysisParameters;

// The window's start values with Δl = 0.001 cm, as a parameter file holds them.
constexpr const char* kFineFile =
    "Please input the comment.\r\n1.480\r\n102.0\r\n0.001\r\n3.25\r\n20.00\r\nN\r\n360.00\r\n"
    "30.00\r\n2.400\r\n1.30\r\n1.27\r\n4.00\r\n2.100\r\n0.200\r\n118.00\r\n9.98\r\n1.000\r\n"
    "0.00\r\n0.00\r\n";

AnalysisParameters fineParameters() {
  AnalysisParameters p = kvt::testing::committedDefaults();
  p.deltaL = 0.001f;
  return p;
}

// The free-end slip of every step of the run, and the sum of the loaded-end forces.
class FreeEndSlips : public kvt::RunObserver {
 public:
  bool needsSections(int) const override { return false; }
  void stepStarted(int, double s0, float) override { slips.push_back(s0); }
  void stepFinished(const kvt::StepResult& r) override { forces += r.loadedEndForce; }
  std::vector<double> slips;
  double forces = 0;
};

struct BareLoop {
  explicit BareLoop(const AnalysisParameters& parameters) : law(parameters), p(parameters) {
    FreeEndSlips slips;
    kvt::PullOutRun run(p, slips);
    run.run();
    s0 = slips.slips;
    segments = run.geometry().segmentCount;
    runForces = slips.forces;
  }

  // The general law and the slip update, as the march computes them, for every step.
  double march() const {
    const double beta = p.beta, ru = p.ru, rf = p.reductionFactor;
    const double cotFactor = rf * p.cotAlpha * static_cast<double>(law.twoSigmaTBeta());
    const double k1 = rf * p.k1, r2 = law.rSquared(), betaDb = law.betaDb();
    const double descentStart = law.descentStart(), descentSlope = law.descentSlope();
    const double peakEnd = law.peakSearchEnd();
    const double phi = p.phi, deltaL = p.deltaL;
    const double EsAb = static_cast<float>(p.Es * p.Ab);
    const double twoEsAb = static_cast<float>(2.0f * p.Es * p.Ab);
    double checksum = 0;
    for (const double start : s0) {
      double s = start, P = 0;
      for (int i = 1; i <= segments; ++i) {
        const double betaS2 = beta * s * (beta * s);
        const double cot = cotFactor * s * (r2 - betaS2) / (r2 + betaS2);
        double tau = cot < 0 ? 0.0 : cot;
        if (s * betaDb < ru)
          tau += k1 * s;
        else
          tau += rf * (descentStart - descentSlope * (s - peakEnd));
        tau = tau < 0 ? 0.0 : tau;
        const double dP = tau * phi * deltaL;
        s = s + P * deltaL / EsAb + dP * deltaL / twoEsAb;
        P = P + dP;
      }
      checksum += P;
    }
    return checksum;
  }

  std::int64_t segmentCount() const { return static_cast<std::int64_t>(s0.size()) * segments; }

  kvt::BondLaw law;
  AnalysisParameters p;
  std::vector<double> s0;
  int segments = 0;
  double runForces = 0;  // what the bare loop must give if its arithmetic is the run's
};

struct FineFile {
  FineFile() : path(dir.file("fine.kvt")) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    std::fputs(kFineFile, file);
    std::fclose(file);
  }
  kvt::testing::TempDir dir;
  std::string path;
};

void BM_BareMarchLoop(benchmark::State& state) {
  const BareLoop bare(fineParameters());
  for (auto _ : state)
    benchmark::DoNotOptimize(bare.march());
  state.counters["segments/s"] = benchmark::Counter(
      static_cast<double>(bare.segmentCount() * state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_BareMarchLoop)->Unit(benchmark::kMillisecond);

void BM_BatchRunFine(benchmark::State& state) {
  const FineFile file;
  const kvt::testing::FixedClock clock;
  const BareLoop bare(fineParameters());
  for (auto _ : state) {
    const kvt::BatchResult result = kvt::runAndReport(file.path, {}, clock);
    if (!result.succeeded) state.SkipWithError(result.message.c_str());
  }
  state.counters["segments/s"] = benchmark::Counter(
      static_cast<double>(bare.segmentCount() * state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_BatchRunFine)->Unit(benchmark::kMillisecond);

// The processor time of this thread: another process on the machine does not add to it.
double threadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Both in turn, each timed on its own; the counter is the batch run's rate over the bare loop's.
void BM_BatchAgainstBareLoop(benchmark::State& state) {
  const FineFile file;
  const kvt::testing::FixedClock clock;
  const BareLoop bare(fineParameters());
  double bareTime = 0, batchTime = 0;
  for (auto _ : state) {
    const double t0 = threadSeconds();
    benchmark::DoNotOptimize(bare.march());
    const double t1 = threadSeconds();
    const kvt::BatchResult result = kvt::runAndReport(file.path, {}, clock);
    const double t2 = threadSeconds();
    if (!result.succeeded) state.SkipWithError(result.message.c_str());
    bareTime += t1 - t0;
    batchTime += t2 - t1;
  }
  state.counters["batch/bare"] = bareTime / batchTime;
}
BENCHMARK(BM_BatchAgainstBareLoop)->Unit(benchmark::kMillisecond);

}  // namespace
