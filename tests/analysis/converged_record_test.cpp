// SPDX-License-Identifier: MIT
#include "analysis/converged_record.h"

#include <gtest/gtest.h>

#include "support/committed_defaults.h"

namespace kvt {
namespace {

double relative(double value, double expected) {
  return std::abs(value / expected - 1);
}

// The record of a converged analysis reads as a march's: a row per point, Pbumax where the
// search put it, lb analysed as entered, and any point's distribution from the dense output
// ending at that point's loaded end.
TEST(ConvergedRecord, ReadsAsARunRecord) {
  AnalysisParameters mc2010Bar = testing::committedDefaults();
  struct Case {
    AnalysisParameters p;
    LawEntries law;
  };
  const Case cases[] = {{testing::committedDefaults(), KvtLawEntries{}},
                        {testing::committedBilinear(), KvtLawEntries{}},
                        {mc2010Bar, Mc2010Entries{}}};
  for (const Case& c : cases) {
    const RunRecord record = convergedRecord(c.p, {}, c.law);
    ASSERT_EQ(record.outcome(), RunRecord::Outcome::Finished) << record.failure();
    EXPECT_EQ(record.method(), RunMethod::Converged);
    const ConvergedResult& solution = *record.converged();
    ASSERT_EQ(record.stepCount(), static_cast<int>(solution.points.size()));
    EXPECT_EQ(record.PMax(), solution.peak.force);
    EXPECT_EQ(record.row(record.peakStep())->s0, solution.peak.firstS0);
    EXPECT_EQ(record.row(record.peakLastStep())->s0, solution.peak.lastS0);
    EXPECT_EQ(record.tauAvgPeakStep(), record.peakStep());
    EXPECT_EQ(record.analysedLength(), static_cast<double>(c.p.lb));
    for (const int step : {1, record.peakStep(), record.stepCount() - 1}) {
      const std::vector<SectionRow> sections = record.sections(step);
      ASSERT_EQ(sections.size(), static_cast<std::size_t>(kConvergedSections));
      const LoadSlipRow& row = *record.row(step);
      EXPECT_NEAR(sections.back().x, c.p.lb, 1e-12);
      EXPECT_LT(relative(sections.back().sNext, row.loadedEndSlip), 1e-7) << step;
      EXPECT_LT(relative(sections.back().PNext, row.loadedEndForce), 1e-7) << step;
    }
  }
}

TEST(ConvergedRecord, AFailureIsTheRecordsOutcome) {
  AnalysisParameters p = testing::committedDefaults();
  p.phi = 0;
  const RunRecord record = convergedRecord(p);
  EXPECT_EQ(record.outcome(), RunRecord::Outcome::Failed);
  EXPECT_EQ(record.failureKind(), ErrorKind::Parameter);
  EXPECT_EQ(record.stepCount(), 0);
}

}  // namespace
}  // namespace kvt
