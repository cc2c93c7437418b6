// SPDX-License-Identifier: MIT
#include "batch/study_figures.h"

#include <cstdlib>
#include <ctime>

#include "batch/batch_figures.h"

#include <gtest/gtest.h>

namespace kvt {
namespace {

VariedEntry entry(std::string_view option) {
  return std::get<VariedEntry>(VariedEntry::parse(option));
}

StudyPoint point(std::vector<std::string> values, double pmax, int requiredTenths = 0) {
  StudyPoint p;
  p.values = std::move(values);
  p.succeeded = pmax > 0;
  p.PMax = pmax;
  RequiredLength required;
  required.kind =
      requiredTenths > 0 ? RequiredLength::Kind::Found : RequiredLength::Kind::NotReached;
  required.tenths = requiredTenths;
  p.required = required;
  return p;
}

TEST(StudyFigures, PbumaxAgainstTheLastEntryWithACurveForEachOfTheOthers) {
  const StudyGrid grid({entry("pw=0.2,0.4"), entry("bar=D16,D13")});
  const std::vector<StudyPoint> points = {point({"0.2", "D16"}, 200, 153),
                                          point({"0.2", "D13"}, 100, 90),
                                          point({"0.4", "D16"}, 0),  // failed: no point
                                          point({"0.4", "D13"}, 150)};
  const auto figures =
      studyFigures(grid, points, {"beam1.kvt", 20, 3500, 2000, {}}, UnitSystem::KgfCm);
  ASSERT_EQ(figures.size(), 2u);  // no curves were kept, so no family of load–slip curves
  EXPECT_EQ(figures[0].first, "pbumax");
  // lb is not varied: the figure says which it was.
  EXPECT_EQ(figures[0].second.title, "Pbumax against bar diameter db — beam1.kvt, lb = 20 cm");
  const FigurePanel& pbumax = figures[0].second.panels.at(0);
  EXPECT_EQ(pbumax.x.text(), "bar diameter db (cm)");
  ASSERT_EQ(pbumax.curves.size(), 2u);
  EXPECT_EQ(pbumax.curves[0].title, "pw = 0.2 %");
  // A bar stands at its diameter, the points in order along the axis.
  EXPECT_EQ(pbumax.curves[0].x, (std::vector<double>{1.27, 1.59}));
  EXPECT_EQ(pbumax.curves[0].y, (std::vector<double>{100, 200}));
  EXPECT_EQ(pbumax.curves[1].y, std::vector<double>{150});
  EXPECT_EQ(figures[1].first, "required-lb");
  EXPECT_EQ(figures[1].second.title,
            "Required bond length against bar diameter db — beam1.kvt, fy = 3500 kgf/cm²");
  // The lengths that were found: 9.0 and 15.3 cm for pw = 0.2, none for pw = 0.4 ...
  const std::vector<FigureCurve>& required = figures[1].second.panels.at(0).curves;
  ASSERT_EQ(required.size(), 3u);
  EXPECT_EQ(required[0].y, (std::vector<double>{9.0, 15.3}));
  EXPECT_TRUE(required[1].y.empty());
  // ... and the bars that never yield at the top, marked apart: D16 with pw = 0.4 failed its
  // run but not its search, D13 with pw = 0.4 never yields.
  EXPECT_EQ(required[2].kind, FigureCurve::Kind::Points);
  EXPECT_EQ(required[2].title, "fy·Ab not reached up to 200 cm");
  EXPECT_EQ(required[2].x, (std::vector<double>{1.59, 1.27}));
  EXPECT_EQ(required[2].y, (std::vector<double>{200, 200}));
}

// In SI every length of a study is in mm, the varied entries' too.
TEST(StudyFigures, InSiTheVariedLengthsAreInMillimetres) {
  const StudyGrid grid({entry("bar=D13,D16"), entry("lb=10,20")});
  const std::vector<StudyPoint> points = {point({"D13", "10"}, 40, 100), point({"D13", "20"}, 80),
                                          point({"D16", "10"}, 45), point({"D16", "20"}, 90)};
  const auto figures =
      studyFigures(grid, points, {"beam1.kvt", 20, 3500, 2000, {}}, UnitSystem::SI);
  const FigurePanel& pbumax = figures[0].second.panels.at(0);
  EXPECT_EQ(figures[0].second.title, "Pbumax against lb — beam1.kvt");
  EXPECT_EQ(pbumax.x.text(), "lb (mm)");
  EXPECT_EQ(pbumax.curves[1].title, "bar = D16");
  EXPECT_EQ(pbumax.curves[1].x, (std::vector<double>{100, 200}));
  const Figure& required = figures[1].second;
  EXPECT_EQ(required.title, "Required bond length against lb — beam1.kvt, fy = 343.2 MPa");
  EXPECT_EQ(required.panels[0].y.text(), "required lb (mm)");
  EXPECT_EQ(required.panels[0].curves[0].y, std::vector<double>{100});
  EXPECT_EQ(required.panels[0].curves.back().y, (std::vector<double>{2000, 2000, 2000}));
}

TEST(StudyFigures, TheFamilyOfLoadSlipCurvesIsNamedByTheVariedValues) {
  const StudyGrid grid({entry("lb=10,20")});
  std::vector<StudyPoint> points = {point({"10"}, 50), point({"20"}, 90)};
  for (StudyPoint& p : points)
    p.curve = {{1, 0, 0.01, 50, 1}, {2, 0, 0.02, 40, 0.8}};
  const auto figures = studyFigures(grid, points, {"beam1.kvt", 20, {}, 2000, {}}, UnitSystem::SI);
  ASSERT_EQ(figures.front().first, "load-slip");
  const FigurePanel& family = figures.front().second.panels.at(0);
  ASSERT_EQ(family.curves.size(), 2u);
  EXPECT_EQ(family.curves[1].title, "lb = 200 mm");
  EXPECT_EQ(family.x.text(), "loaded-end slip (mm)");
  EXPECT_DOUBLE_EQ(family.curves[0].x[1], 0.2);
  EXPECT_DOUBLE_EQ(family.curves[0].y[0], 50 * 9.80665 / 1000);
}

TEST(StudyFigures, APdfCarriesTheStudysStartAsItsCreationDate) {
  const char* zone = std::getenv("TZ");
  const std::string previous = zone ? zone : "";
  setenv("TZ", "JST-9", 1);  // Japan, nine hours ahead of UTC
  tzset();
  const std::string drawn = "<< /CreationDate (D:20261209031500Z) >>";
  std::string pdf = drawn;
  stampCreationDate(pdf, FigureFormat::Pdf, {2026, 12, 7, 13, 5, 42});
  EXPECT_EQ(pdf, "<< /CreationDate (D:20261207040542Z) >>");
  std::string svg = drawn;
  stampCreationDate(svg, FigureFormat::Svg, {2026, 12, 7, 13, 5, 42});
  EXPECT_EQ(svg, drawn);
  if (zone) {
    setenv("TZ", previous.c_str(), 1);
  } else {
    unsetenv("TZ");
  }
  tzset();
}

}  // namespace
}  // namespace kvt
