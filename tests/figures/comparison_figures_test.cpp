// SPDX-License-Identifier: MIT
#include "figures/comparison_figures.h"

#include <gtest/gtest.h>

#include "analysis/run_entries.h"
#include "support/committed_defaults.h"

namespace kvt {
namespace {

struct TwoRuns {
  RunRecord d13 = recordRun(testing::committedDefaults());
  RunRecord d19 = recordRun([] {
    AnalysisParameters p = testing::committedDefaults();
    p.db = 1.91f;
    p.lb = 30;
    return p;
  }());
  std::vector<ComparedRun> compared() const {
    const RunRecord* records[] = {&d13, &d19};
    const int numbers[] = {1, 4};
    const std::vector<std::string> names = comparisonNames(records, numbers);
    return {{&d13, 1, names[0], nullptr}, {&d19, 4, names[1], nullptr}};
  }
};

// Each run keeps one look in every figure, its converged answer that look in short dashes, and a
// measured curve the next look with markers; the legend names runs by the entries they differ in.
TEST(ComparisonFigures, EachRunKeepsItsLookAndNameInEveryFigure) {
  const TwoRuns two;
  std::vector<ComparedRun> runs = two.compared();
  EXPECT_EQ(runs[0].name, "lb 20, db 1.3");
  EXPECT_EQ(runs[1].name, "lb 30, db 1.91");
  runs[1].converged = &two.d13;  // any record stands for a converged curve here
  const MeasuredCurve measured{"test 4.csv", {0, 0.01, 0.02}, {0, 1000, 1500}};

  const Figure loadSlip = comparedLoadSlipFigure(runs, &measured, UnitSystem::SI);
  ASSERT_EQ(loadSlip.panels.size(), 1u);
  const std::vector<FigureCurve>& curves = loadSlip.panels[0].curves;
  ASSERT_EQ(curves.size(), 4u);
  const std::pair<std::string, FigureCurve::Kind> expected[] = {
      {"lb 20, db 1.3", FigureCurve::Kind::Line},
      {"lb 30, db 1.91", FigureCurve::Kind::Line},
      {"lb 30, db 1.91 (converged)", FigureCurve::Kind::Overlay},
      {"test 4.csv (measured)", FigureCurve::Kind::Measured}};
  const int looks[] = {0, 1, 1, 2};
  for (std::size_t k = 0; k < curves.size(); ++k) {
    EXPECT_EQ(curves[k].title, expected[k].first);
    EXPECT_EQ(curves[k].kind, expected[k].second);
    EXPECT_EQ(curves[k].look, looks[k]);
  }
  EXPECT_EQ(curves[1].y.size(), two.d19.rows().size());
  EXPECT_EQ(curves[1].y.back(),
            inUnits(two.d19.rows().back().loadedEndForce, Quantity::Force, UnitSystem::SI));
  EXPECT_EQ(curves[3].x[1], 0.1);  // 0.01 cm in mm
  EXPECT_DOUBLE_EQ(curves[3].y[2], 1500 * 9.80665 / 1000);
  ASSERT_EQ(loadSlip.panels[0].marks.size(), 2u);

  const Figure profile = comparedProfileFigure(
      runs, std::vector{two.d13.sections(two.d13.peakStep()), two.d19.sections(two.d19.peakStep())},
      UnitSystem::KgfCm);
  ASSERT_EQ(profile.panels.size(), 3u);
  for (const FigurePanel& panel : profile.panels) {
    ASSERT_EQ(panel.curves.size(), 2u);
    EXPECT_EQ(panel.curves[1].title, "lb 30, db 1.91");
    EXPECT_EQ(panel.curves[1].look, 1);
  }
  // The longer bar reaches its own lb along x.
  EXPECT_GT(profile.panels[0].curves[1].x.back(), profile.panels[0].curves[0].x.back());

  for (const Figure& figure : {comparedTauSlipFigure(runs, UnitSystem::KgfCm),
                               comparedBondLawFigure(runs, UnitSystem::KgfCm)}) {
    ASSERT_GE(figure.panels[0].curves.size(), 2u) << figure.title;
    EXPECT_EQ(figure.panels[0].curves[0].title, "lb 20, db 1.3") << figure.title;
    EXPECT_EQ(figure.panels[0].curves[1].look, 1) << figure.title;
  }
}

}  // namespace
}  // namespace kvt
