// SPDX-License-Identifier: MIT
#include "figures/law_figure.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "figures/report_figures.h"
#include "support/committed_defaults.h"

namespace kvt {
namespace {

TEST(LawFigure, TheChosenLawBesideKvtsOwnOverBothRanges) {
  const AnalysisParameters p = testing::committedDefaults();
  Mc2010Entries mc;
  const Figure figure = lawChoiceFigure(mc, p, UnitSystem::KgfCm);
  const std::vector<FigureCurve>& curves = figure.panels.front().curves;
  ASSERT_EQ(curves.size(), 2u);
  EXPECT_EQ(curves[0].title, "fib MC2010");
  // Both drawn to a fifth beyond the last corner of either: MC2010's s3 = 8 mm.
  EXPECT_DOUBLE_EQ(curves[0].x.back(), 0.96);
  EXPECT_DOUBLE_EQ(curves[1].x.back(), 0.96);
  const Mc2010Law law(mc, 13);
  EXPECT_EQ(*std::max_element(curves[0].y.begin(), curves[0].y.end()), law.peak());
  // kvt's own law: up to τbmax, then down to zero where its descending branch ends.
  EXPECT_NEAR(*std::max_element(curves[1].y.begin(), curves[1].y.end()), 115.05, 0.05);
  EXPECT_EQ(curves[1].y.back(), 0);
  // Each corner drawn from both sides: the plateau's end, s2 = 2 mm, is a sample.
  EXPECT_NE(std::find(curves[0].x.begin(), curves[0].x.end(), law.s2()), curves[0].x.end());

  const Figure own = lawChoiceFigure(KvtLawEntries{}, p, UnitSystem::SI);
  ASSERT_EQ(own.panels.front().curves.size(), 1u);
  EXPECT_EQ(own.panels.front().y.unit, "MPa");
}

TEST(LawFigure, SummaryNamesTheLawAndItsEntries) {
  Mc2010Entries mc;
  mc.fck = 30;
  mc.failure = Mc2010Entries::Failure::Splitting;
  mc.cMin = 25;
  mc.cMax = 40;
  EXPECT_EQ(lawSummary(mc),
            "fib MC2010: fck = 30 MPa, bond good, failure splitting, c_clear = 8 mm, "
            "c_min = 25 mm, c_max = 40 mm, km = 0, Ktr = 0");
  EXPECT_EQ(lawSummary(KvtLawEntries{}), "kvt");
  EXPECT_EQ(lawSummary(TableEntries{"/data/tests/m1.csv", {{0.1, 5}}}),
            "table: file m1.csv, points = 1");
}

// A run with another law names it with its entries in every figure's title, and draws that law.
TEST(LawFigure, ARunsFiguresNameAndDrawItsLaw) {
  Mc2010Entries mc;
  mc.fck = 30;
  const RunRecord run = recordRun(testing::committedDefaults(), {}, mc);
  ASSERT_EQ(run.outcome(), RunRecord::Outcome::Finished);
  const std::string law = "; fib MC2010: fck = 30 MPa, bond good, failure pull-out";
  EXPECT_NE(loadSlipFigure(run, UnitSystem::KgfCm).title.find(law), std::string::npos);
  EXPECT_NE(profileFigure(run, 1, run.sections(1), UnitSystem::SI).title.find(law),
            std::string::npos);
  const Figure bond = bondLawFigure(run, UnitSystem::SI);
  const FigurePanel& panel = bond.panels.front();
  const double tauMax = 2.5 * std::sqrt(38.0);  // MPa
  EXPECT_NEAR(*std::max_element(panel.curves[0].y.begin(), panel.curves[0].y.end()), tauMax, 1e-9);
  ASSERT_EQ(panel.marks.size(), 1u);
  EXPECT_NEAR(panel.marks[0].x, 1.0, 1e-12);  // s1 = 1 mm
  EXPECT_NEAR(panel.marks[0].y, tauMax, 1e-9);
  EXPECT_EQ(
      loadSlipFigure(recordRun(testing::committedDefaults()), UnitSystem::KgfCm).title.find("; "),
      std::string::npos);
}

}  // namespace
}  // namespace kvt
