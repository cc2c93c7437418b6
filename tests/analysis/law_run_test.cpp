// SPDX-License-Identifier: MIT
// Runs with another law than kvt's own: the same march, the law chosen once per run.
#include <gtest/gtest.h>

#include <vector>

#include "analysis/pull_out_run.h"
#include "analysis/section_march.h"
#include "support/committed_defaults.h"

namespace kvt {
namespace {

using kvt::testing::committedDefaults;

class Steps : public RunObserver {
 public:
  bool needsSections(int step) const override { return step == wantedStep; }
  void runStarted(const RunStart& s) override { tauMax = s.tauMax; }
  void sectionsComputed(std::span<const SectionRow> rows) override {
    sections.insert(sections.end(), rows.begin(), rows.end());
  }
  void stepFinished(const StepResult& r) override { results.push_back(r); }

  int wantedStep = 0;
  double tauMax = 0;
  std::vector<StepResult> results;
  std::vector<SectionRow> sections;
};

// kvt's own law of the default case, sampled every 0.05 µm… 1 µm of slip up to where it is zero.
TableEntries kvtLawSampled(const AnalysisParameters& p) {
  const BondLaw law(p);
  TableEntries table{"kvt's own law, sampled", {}};
  for (int k = 0; k <= 2000; ++k) {
    const double s = k * 0.1 / 2000;
    table.points.push_back({s, law.stress(s)});
  }
  return table;
}

TEST(LawRun, ATableSamplingKvtsLawGivesItsPbumax) {
  const AnalysisParameters p = committedDefaults();
  Steps own, sampled;
  PullOutRun(p, own).run();
  PullOutRun run(p, sampled, kvtLawSampled(p));
  EXPECT_EQ(run.run(), PullOutRun::Outcome::Finished);
  EXPECT_NEAR(own.results.back().PMax, 7798.40, 0.005);
  EXPECT_NEAR(sampled.results.back().PMax / own.results.back().PMax, 1, 0.005);
  EXPECT_NEAR(sampled.tauMax, own.tauMax, 0.005 * own.tauMax);
}

// A bar of 1 cm slips almost as one: every section of a step sits on the MC2010 plateau between
// s1 and s2 at once, so the pull-out load is τbmax over the whole bonded surface.
TEST(LawRun, AShortBarOnTheMc2010PlateauCarriesTauMaxOverItsSurface) {
  AnalysisParameters p = committedDefaults();
  p.lb = 1;
  p.deltaL = 0.1f;
  Mc2010Entries entries;
  entries.fcm = 38;
  entries.cClear = 8;
  Steps steps;
  PullOutRun run(p, steps, entries);
  EXPECT_EQ(run.run(), PullOutRun::Outcome::Finished);
  const double surface = 10 * static_cast<double>(p.deltaL) * static_cast<double>(p.phi);
  EXPECT_NEAR(steps.results.back().PMax / (steps.tauMax * surface), 1, 0.01);
  EXPECT_NEAR(steps.tauMax, 2.5 * std::sqrt(38) / 0.0980665, 1e-9);
}

// The MC2010 pull-out law holds τbf = 0.4·τbmax for ever: the run ends at the first step whose
// free end has slipped past s3, where every section carries τbf, and replays its steps as run.
TEST(LawRun, AResidualStressEndsTheRunPastTheLastKink) {
  const AnalysisParameters p = committedDefaults();
  Mc2010Entries entries;
  entries.cClear = 8;
  Steps steps;
  steps.wantedStep = 40;
  PullOutRun run(p, steps, entries);
  EXPECT_EQ(run.run(), PullOutRun::Outcome::Finished);
  const Mc2010Law law(entries, 13);
  const std::vector<StepResult>& r = steps.results;
  EXPECT_GT(r.back().s0, law.s3());
  EXPECT_LE(r[r.size() - 2].s0, law.s3());
  const double surface = 31 * static_cast<double>(p.deltaL) * static_cast<double>(p.phi);
  EXPECT_NEAR(r.back().loadedEndForce, law.tauBf() * surface, 1e-9 * r.back().loadedEndForce);
  const std::vector<SectionRow> replayed = replaySections(p, r[39].s0, 40, LawEntries{entries});
  ASSERT_EQ(replayed.size(), steps.sections.size());
  for (std::size_t i = 0; i < replayed.size(); ++i)
    EXPECT_EQ(replayed[i].PNext, steps.sections[i].PNext);
}

}  // namespace
}  // namespace kvt
