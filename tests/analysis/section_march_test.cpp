// SPDX-License-Identifier: MIT
#include "analysis/section_march.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "analysis/analysis_error.h"
#include "analysis/pull_out_run.h"
#include "support/committed_defaults.h"

namespace kvt {
namespace {

// Every section and result of a run, and whether the run should form the sections at all.
class StepRecorder : public RunObserver {
 public:
  explicit StepRecorder(bool wantSections) : wantSections_(wantSections) {}
  bool needsSections(int) const override { return wantSections_; }
  void stepStarted(int, double, float) override { sections.emplace_back(); }
  void sectionsComputed(std::span<const SectionRow> rows) override {
    sections.back().insert(sections.back().end(), rows.begin(), rows.end());
  }
  void stepFinished(const StepResult& r) override { results.push_back(r); }

  std::vector<std::vector<SectionRow>> sections;
  std::vector<StepResult> results;

 private:
  bool wantSections_;
};

bool sameBits(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

::testing::AssertionResult sameRows(const std::vector<SectionRow>& a,
                                    const std::vector<SectionRow>& b) {
  if (a.size() != b.size())
    return ::testing::AssertionFailure() << a.size() << " rows against " << b.size();
  for (std::size_t k = 0; k < a.size(); ++k) {
    const SectionRow& x = a[k];
    const SectionRow& y = b[k];
    if (x.i != y.i || x.displayRow != y.displayRow || !sameBits(x.x, y.x) ||
        !sameBits(x.sNext, y.sNext) || !sameBits(x.PNext, y.PNext) || !sameBits(x.tau, y.tau))
      return ::testing::AssertionFailure() << "row " << k << " differs";
  }
  return ::testing::AssertionSuccess();
}

class Replay : public ::testing::TestWithParam<AnalysisParameters (*)()> {};

TEST_P(Replay, GivesEveryStepsSectionsBitForBit) {
  const AnalysisParameters p = GetParam()();
  StepRecorder run(true);
  PullOutRun(p, run).run();
  ASSERT_GT(run.results.size(), 100u);
  const BondLaw law(p);
  SectionMarch march(law, p);
  for (std::size_t k = 0; k < run.results.size(); ++k) {
    std::vector<SectionRow> again;
    march.march(run.results[k].s0, run.results[k].step, [&](std::span<const SectionRow> rows) {
      again.insert(again.end(), rows.begin(), rows.end());
    });
    ASSERT_TRUE(sameRows(again, run.sections[k])) << "step " << k + 1;
  }
  EXPECT_TRUE(sameRows(replaySections(p, run.results[250 % run.results.size()].s0, 1),
                       run.sections[250 % run.results.size()]));
}

TEST_P(Replay, AMarchWithoutRowsGivesTheSameRun) {
  const AnalysisParameters p = GetParam()();
  StepRecorder with(true), without(false);
  PullOutRun(p, with).run();
  PullOutRun(p, without).run();
  ASSERT_EQ(with.results.size(), without.results.size());
  for (std::size_t k = 0; k < with.results.size(); ++k) {
    const StepResult& a = with.results[k];
    const StepResult& b = without.results[k];
    ASSERT_TRUE(sameBits(a.loadedEndSlip, b.loadedEndSlip) &&
                sameBits(a.loadedEndForce, b.loadedEndForce) && sameBits(a.tauAvg, b.tauAvg))
        << "step " << k + 1;
  }
  for (const auto& rows : without.sections)
    EXPECT_TRUE(rows.empty());
}

INSTANTIATE_TEST_SUITE_P(DefaultAndBilinear, Replay,
                         ::testing::Values(&testing::committedDefaults,
                                           &testing::committedBilinear));

TEST(SectionMarch, AFaultWithoutRowsNamesTheSameSegment) {
  AnalysisParameters p = testing::committedDefaults();
  p.Es = 0;  // the first slip update divides by zero
  const BondLaw law(p);
  for (const bool rows : {true, false}) {
    SectionMarch march(law, p);
    const SectionMarch::RowSink sink =
        rows ? [](std::span<const SectionRow>) {} : SectionMarch::RowSink();
    try {
      march.march(1e-10, 7, sink);
      FAIL() << "no fault";
    } catch (const ArithmeticError& error) {
      EXPECT_NE(std::string(error.what()).find("at step 7, segment 1"), std::string::npos)
          << error.what();
    }
  }
}

}  // namespace
}  // namespace kvt
