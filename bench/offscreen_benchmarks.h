// SPDX-License-Identifier: MIT
#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>

namespace kvt::bench {

// The main function of a benchmark that needs windows: a QApplication on the offscreen
// platform, so that no display is needed, then the benchmarks named on the command line.
inline int runOffscreenBenchmarks(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

}  // namespace kvt::bench
