// SPDX-License-Identifier: MIT
// Speed of the result file: the default run with its detailed report (about 0.6 MB), counted in
// bytes of formatted output per second. The run's own computation is included, so the figure
// is a lower bound for the writer alone.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "analysis/pull_out_run.h"
#include "output/result_file.h"
#include "support/committed_defaults.h"
#include "support/fixed_clock.h"
#include "support/temp_dir.h"

namespace {

void BM_DetailedReportOfDefaultRun(benchmark::State& state) {
  const kvt::testing::TempDir dir;
  const kvt::testing::FixedClock clock;
  const std::string parameterFile = dir.file("bench.kvt");
  std::int64_t bytes = 0;
  for (auto _ : state) {
    kvt::AnalysisParameters p = kvt::testing::committedDefaults();
    p.detailOutput = 1;
    p.resultFilePath = parameterFile;
    kvt::ResultFile file(p, clock);
    kvt::PullOutRun run(p, file);
    benchmark::DoNotOptimize(run.run());
    bytes += static_cast<std::int64_t>(std::filesystem::file_size(file.path()));
  }
  state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_DetailedReportOfDefaultRun)->Unit(benchmark::kMillisecond);

}  // namespace
