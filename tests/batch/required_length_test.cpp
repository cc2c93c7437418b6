// SPDX-License-Identifier: MIT
#include "batch/required_length.h"

#include <gtest/gtest.h>

#include <set>

namespace kvt {
namespace {

// A capacity that rises by 10 kgf per 0.1 cm but dips by 25 kgf on every length ending in .7.
double dipping(int tenths) {
  return 10.0 * tenths - (tenths % 10 == 7 ? 25.0 : 0.0);
}

// A finished run whose Pbumax is `PMax`.
RunRecord reaching(double PMax) {
  RunRecord run;
  run.begin({});
  run.add({1, 0, 0, PMax, 0});
  run.finish();
  return run;
}

TEST(RequiredLength, BisectsTheFirstBracketAndStraddlesTheAnswer) {
  std::set<int> lengths;
  const auto pmaxAt = [&](int tenths) {
    EXPECT_TRUE(lengths.insert(tenths).second) << "length run twice: " << tenths;
    return reaching(dipping(tenths));
  };
  // 1225 kgf is first reached at 12.3 cm; 12.7 cm dips below 1270 but the answer lies before it.
  const RequiredLength found = findRequiredLength(1225, 2000, pmaxAt);
  ASSERT_EQ(found.kind, RequiredLength::Kind::Found);
  EXPECT_EQ(found.tenths, 123);
  EXPECT_GE(found.PMax, 1225);
  EXPECT_EQ(found.shorterTenths, 122);
  EXPECT_LT(found.shorterPMax, 1225);
  EXPECT_EQ(lengthText(found.tenths), "12.3");
  // Coarse points 5, 10, 15 cm, then a bisection of the 50 tenths between 10 and 15 cm.
  EXPECT_EQ(found.runs, static_cast<int>(lengths.size()));
  EXPECT_LE(found.runs, 3 + 6);

  // Where a dip makes the capacity fall below the force again after first reaching it
  // (1255 kgf: reached at 12.6, lost at 12.7), the answer still lies in the first bracket and
  // is straddled by its two confirming lengths.
  lengths.clear();
  const RequiredLength dip = findRequiredLength(1255, 2000, pmaxAt);
  ASSERT_EQ(dip.kind, RequiredLength::Kind::Found);
  EXPECT_GT(dip.tenths, 100);
  EXPECT_LE(dip.tenths, 150);
  EXPECT_GE(dipping(dip.tenths), 1255);
  EXPECT_LT(dipping(dip.tenths - 1), 1255);
  EXPECT_EQ(dip.shorterPMax, dipping(dip.tenths - 1));
}

TEST(RequiredLength, ReportsWhatIsNotReachedAndWhatFailed) {
  const auto rising = [](int tenths) { return reaching(10.0 * tenths); };
  const RequiredLength notReached = findRequiredLength(5000, 200, rising);
  EXPECT_EQ(notReached.kind, RequiredLength::Kind::NotReached);
  EXPECT_EQ(notReached.runs, 4);  // 5, 10, 15 and 20 cm

  // Reached at the first length of the grid: nothing shorter to compare with.
  const RequiredLength first = findRequiredLength(1, 200, rising);
  EXPECT_EQ(first.tenths, 1);
  EXPECT_EQ(first.shorterTenths, 0);

  const auto failing = [](int tenths) {
    RunRecord run = reaching(10.0 * tenths);
    if (tenths > 60) run.fail(Error(ErrorKind::Arithmetic, "overflow"));
    return run;
  };
  const RequiredLength failed = findRequiredLength(900, 200, failing);
  EXPECT_EQ(failed.kind, RequiredLength::Kind::Failed);
  EXPECT_EQ(failed.failedTenths, 100);
  EXPECT_EQ(failed.failure, "overflow");
}

}  // namespace
}  // namespace kvt
