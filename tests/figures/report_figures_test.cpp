// SPDX-License-Identifier: MIT
#include "figures/report_figures.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "analysis/bond_law.h"
#include "support/committed_defaults.h"

namespace kvt {
namespace {

RunRecord recordedRun(const AnalysisParameters& p) {
  return recordRun(p, {p.parameterFilePath, ""});
}

TEST(ReportFigures, LoadSlipInSiConvertsEveryPointAndLabelsThePeak) {
  const RunRecord run = recordedRun(testing::committedDefaults());
  ASSERT_EQ(run.peakStep(), 251);
  const Figure kgf = loadSlipFigure(run, UnitSystem::KgfCm, 100);
  const Figure si = loadSlipFigure(run, UnitSystem::SI);
  ASSERT_EQ(si.panels.size(), 1u);
  const FigurePanel& panel = si.panels[0];
  EXPECT_EQ(panel.x.text(), "slip (mm)");
  EXPECT_EQ(panel.y.text(), "loaded-end force P (kN)");
  ASSERT_EQ(panel.curves.size(), 2u);
  const LoadSlipRow& peak = run.rows()[250];
  EXPECT_EQ(panel.curves[0].y[250], peak.loadedEndForce * (9.80665 / 1000));
  EXPECT_EQ(panel.curves[1].x[250], peak.s0 * 10);
  ASSERT_EQ(panel.marks.size(), 1u);
  EXPECT_EQ(panel.marks[0].label, "Pbumax = 76.48 kN");
  ASSERT_EQ(kgf.panels[0].marks.size(), 2u);
  EXPECT_EQ(kgf.panels[0].marks[0].label, "Pbumax = 7798 kgf");
  EXPECT_EQ(kgf.panels[0].marks[1].label, "step 100");
  EXPECT_EQ(kgf.panels[0].marks[1].y, run.rows()[99].loadedEndForce);
  EXPECT_EQ(tauSlipFigure(run, UnitSystem::KgfCm).panels[0].marks[0].label,
            "τbumax = 96.75 kgf/cm²");
}

TEST(ReportFigures, ProfileStartsAtTheFreeEndAndDrawsEachStressAtItsSection) {
  AnalysisParameters p = testing::committedDefaults();
  p.comment = "beam 1";
  const RunRecord run = recordedRun(p);
  const auto sections = run.sections(251);
  const Figure figure = profileFigure(run, 251, sections, UnitSystem::KgfCm);
  EXPECT_EQ(figure.title,
            "Distribution along the bar at step 251 — beam 1, db = 1.3 cm, lb = 20 cm");
  ASSERT_EQ(figure.panels.size(), 3u);
  const FigureCurve& slip = figure.panels[0].curves[0];
  const FigureCurve& stress = figure.panels[2].curves[0];
  ASSERT_EQ(slip.x.size(), 32u);
  EXPECT_EQ(slip.x[0], 0);
  EXPECT_EQ(slip.y[0], run.rows()[250].s0);
  EXPECT_EQ(slip.y[31], run.rows()[250].loadedEndSlip);
  // The stress of segment i was found at its start section, x = (i − 1)·Δl.
  ASSERT_EQ(stress.x.size(), 31u);
  EXPECT_EQ(stress.x[0], 0);
  EXPECT_EQ(stress.y[0], BondLaw(p).stress(run.rows()[250].s0));
  EXPECT_TRUE(run.sections(0).empty());
  EXPECT_TRUE(run.sections(433).empty());
}

TEST(ReportFigures, BilinearLawDropsUprightAtSuAndMarksTheAscendingPeak) {
  AnalysisParameters p = testing::committedBilinear();
  p.comment = "Please input the comment.";
  p.parameterFilePath = "/data/beam2.kvt";
  const RunRecord run = recordedRun(p);
  // The largest force is held over many steps; the peak is the first of them.
  EXPECT_EQ(run.peakStep(), 44);
  const Figure figure = bondLawFigure(run, UnitSystem::KgfCm);
  EXPECT_EQ(figure.title, "Local bond law — beam2.kvt, db = 1.3 cm, lb = 20 cm");
  const FigureCurve& law = figure.panels[0].curves[0];
  EXPECT_EQ(*std::max_element(law.y.begin(), law.y.end()), 50.0);
  const auto drop = std::adjacent_find(law.y.begin(), law.y.end(),
                                       [](double a, double b) { return a == 50 && b == 0; });
  ASSERT_NE(drop, law.y.end());
  const auto k = static_cast<std::size_t>(drop - law.y.begin());
  EXPECT_EQ(law.x[k], static_cast<double>(p.su));
  EXPECT_EQ(law.x[k + 1], std::nextafter(static_cast<double>(p.su), 1.0));
  EXPECT_EQ(figure.panels[0].marks[0].label, "τbmax = 115.05 kgf/cm² (ascending law)");
}

TEST(ReportFigures, LabelNumbersKeepFourDigitsWithoutTrailingZeros) {
  const std::pair<double, const char*> cases[] = {
      {0, "0"},         {50, "50"},       {9.48765, "9.488"}, {0.41553, "0.4155"},
      {7798.4, "7798"}, {-12.5, "-12.5"}, {2e-6, "2.000e-06"}};
  for (const auto& [value, text] : cases)
    EXPECT_EQ(labelNumber(value), text) << value;
}

}  // namespace
}  // namespace kvt
