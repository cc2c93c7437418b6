// SPDX-License-Identifier: MIT
#include "batch/ordered_runs.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <thread>

#include "batch/progress_line.h"

namespace kvt {
namespace {

TEST(OrderedRuns, ResultsArriveInOrderWhateverFinishesFirst) {
  for (const unsigned jobs : {1u, 3u, 8u}) {
    std::vector<std::uint64_t> delivered;
    runInOrder<std::uint64_t>(
        50, jobs,
        [](std::uint64_t k) {
          // Early items take longest, so later ones finish first on other threads.
          std::this_thread::sleep_for(std::chrono::microseconds(50 * (50 - k)));
          return k * k;
        },
        [&](std::uint64_t k, std::uint64_t&& square) {
          EXPECT_EQ(square, k * k);
          delivered.push_back(k);
        },
        {});
    ASSERT_EQ(delivered.size(), 50u) << jobs;
    for (std::uint64_t k = 0; k < 50; ++k)
      EXPECT_EQ(delivered[k], k);
  }
}

TEST(OrderedRuns, AFailureStopsTheRestAndReachesTheCaller) {
  std::atomic<int> started = 0;
  const auto work = [&](std::uint64_t k) -> int {
    ++started;
    if (k == 3) throw std::runtime_error("run 4 broke");
    return 0;
  };
  EXPECT_THROW(runInOrder<int>(100000, 2, work, [](std::uint64_t, int&&) {}, {}),
               std::runtime_error);
  EXPECT_LT(started.load(), 1000);  // only the window ahead of the failure was started
}

TEST(ProgressLine, SaysHowFarHowFastAndHowLong) {
  EXPECT_EQ(ProgressLine::text("beam1.kvt", 0, 200, "runs", 0.5), "beam1.kvt: 0/200 runs");
  EXPECT_EQ(ProgressLine::text("beam1.kvt", 37, 200, "runs", 3.0),
            "beam1.kvt: 37/200 runs, 12.3 runs/s, 0:13 left");
  EXPECT_EQ(ProgressLine::text("b.kvt", 3, 4000, "cases", 4.0),
            "b.kvt: 3/4000 cases, 0.75 cases/s, 1:28:49 left");
  // A search for the required length runs dozens of lengths a case.
  EXPECT_EQ(ProgressLine::text("b.kvt", 0, 1, "cases", 2.0, "37 lengths run"),
            "b.kvt: 0/1 cases, 37 lengths run");
}

}  // namespace
}  // namespace kvt
