// SPDX-License-Identifier: MIT
#include "analysis/run_record.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "support/committed_defaults.h"

namespace kvt {
namespace {

TEST(RunRecord, DefaultRunKeepsEveryStepThePeakAndTheAnalysedLength) {
  const RunRecord run = recordRun(testing::committedDefaults());
  EXPECT_EQ(run.outcome(), RunRecord::Outcome::Finished);
  EXPECT_EQ(run.stepCount(), 432);
  EXPECT_EQ(run.row(432)->loadedEndForce, 0);
  EXPECT_EQ(run.row(433), nullptr);
  EXPECT_EQ(run.peakStep(), 251);
  EXPECT_EQ(run.peakLastStep(), 251);
  EXPECT_EQ(run.tauAvgPeakStep(), 251);
  EXPECT_NEAR(run.PMax(), 7798.40, 0.005);
  EXPECT_NEAR(run.tauAvgMax(), 96.75, 0.005);
  EXPECT_NEAR(run.tauMax(), 115.05, 0.005);
  // 31 segments of Δl = 0.65 as stored in single precision: lb = 20 rounded up.
  EXPECT_EQ(run.analysedLength(), 31 * static_cast<double>(0.65f));
  EXPECT_TRUE(run.failure().empty());
}

TEST(RunRecord, PbumaxHoldsOverTheBilinearPlateauFromTheFirstStepThatReachesIt) {
  const RunRecord run = recordRun(testing::committedBilinear());
  ASSERT_EQ(run.outcome(), RunRecord::Outcome::Finished);
  EXPECT_EQ(run.peakStep(), 44);
  ASSERT_GT(run.peakLastStep(), run.peakStep());
  EXPECT_EQ(run.row(run.peakLastStep())->loadedEndForce, run.PMax());
  EXPECT_LT(run.row(run.peakLastStep() + 1)->loadedEndForce, run.PMax());
  EXPECT_LT(run.row(43)->loadedEndForce, run.PMax());
}

// How a run ended, as the record keeps it: the outcome a reader acts on, the kind of the error
// and its words.
TEST(RunRecord, EveryEndingKeepsItsOutcomeKindAndWords) {
  using Outcome = RunRecord::Outcome;
  struct Case {
    const char* what;
    void (*end)(RunRecord&);
    Outcome outcome;
    std::optional<ErrorKind> kind;
  } cases[] = {
      {"finished", [](RunRecord& r) { r.finish(); }, Outcome::Finished, std::nullopt},
      {"cancelled", [](RunRecord& r) { r.cancel(7); }, Outcome::Cancelled, ErrorKind::Cancelled},
      {"step limit", [](RunRecord& r) { r.fail(StepLimitError(10000, "Check C2.")); },
       Outcome::StepLimit, ErrorKind::StepLimit},
      {"arithmetic",
       [](RunRecord& r) {
         r.fail(ArithmeticError(ArithmeticError::Kind::Overflow, "ds", "at step 7"));
       },
       Outcome::Failed, ErrorKind::Arithmetic},
      {"foreign", [](RunRecord& r) { r.fail(std::length_error("too long")); }, Outcome::Failed,
       std::nullopt},
  };
  for (const Case& c : cases) {
    RunRecord run;
    run.begin({});
    run.add({1, 1e-10, 2e-10, 3.0, 4.0});
    EXPECT_EQ(run.outcome(), Outcome::Running) << c.what;
    c.end(run);
    EXPECT_EQ(run.outcome(), c.outcome) << c.what;
    EXPECT_EQ(run.failureKind(), c.kind) << c.what;
    EXPECT_EQ(run.failure().empty(), c.outcome == Outcome::Finished) << c.what;
    EXPECT_EQ(run.stepCount(), 1) << c.what;
  }
}

TEST(RunRecord, AFaultEndsTheRecordInsteadOfEscaping) {
  AnalysisParameters p = testing::committedDefaults();
  p.phi = 0;
  const RunRecord run = recordRun(p);
  EXPECT_EQ(run.outcome(), RunRecord::Outcome::Failed);
  EXPECT_EQ(run.failureKind(), ErrorKind::Arithmetic);
  EXPECT_NE(run.failure().find("φ = 0"), std::string::npos) << run.failure();
  EXPECT_EQ(run.stepCount(), 0);
  EXPECT_EQ(run.peakStep(), 0);
  EXPECT_TRUE(run.sections(1).empty());
}

}  // namespace
}  // namespace kvt
