// SPDX-License-Identifier: MIT
#include "analysis/bar_yield.h"

#include <gtest/gtest.h>

#include "support/committed_defaults.h"

namespace kvt {
namespace {

// The default run's Pbumax is 7798 kgf: on its D13 (Ab = 1.27 cm²) 6140 kgf/cm², which a bar
// carries; on a bar of 1 cm², softer, 7454 kgf/cm², which none does.
TEST(BarYield, ANoteOnlyWhereNoBarCarriesTheStress) {
  const RunRecord d13 = recordRun(testing::committedDefaults());
  EXPECT_NEAR(peakBarStress(d13), 7798.40 / 1.27, 0.01);
  EXPECT_FALSE(elasticBarNote(d13, UnitSystem::KgfCm));

  AnalysisParameters thin = testing::committedDefaults();
  thin.Ab = 1.0f;
  const RunRecord run = recordRun(thin);
  EXPECT_EQ(*elasticBarNote(run, UnitSystem::KgfCm),
            "the bar stress at Pbumax, 7454 kgf/cm², is beyond any deformed bar's yield stress "
            "(7000 kgf/cm²): the bar would have yielded first (the analysis takes it as elastic)");
  EXPECT_EQ(*elasticBarNote(run, UnitSystem::SI),
            "the bar stress at Pbumax, 731 MPa, is beyond any deformed bar's yield stress "
            "(686 MPa): the bar would have yielded first (the analysis takes it as elastic)");
  EXPECT_FALSE(elasticBarNote(RunRecord(thin), UnitSystem::KgfCm)) << "no step yet";
}

TEST(BarYield, SaysWhetherTheBarYieldsBeforeItPullsOut) {
  const RunRecord run = recordRun(testing::committedDefaults());
  EXPECT_EQ(yieldVerdict(run, 3500, UnitSystem::KgfCm),
            "the bar yields before it pulls out: fy·Ab = 4445 kgf ≤ Pbumax = 7798 kgf");
  EXPECT_EQ(yieldVerdict(run, 7000, UnitSystem::SI),
            "the bar pulls out before it yields: Pbumax = 76.48 kN < fy·Ab = 87.18 kN");
}

}  // namespace
}  // namespace kvt
