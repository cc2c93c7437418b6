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
  const auto figures = studyFigures(grid, points, "beam1.kvt", UnitSystem::KgfCm);
  ASSERT_EQ(figures.size(), 2u);  // no curves were kept, so no family of load–slip curves
  EXPECT_EQ(figures[0].first, "pbumax");
  const FigurePanel& pbumax = figures[0].second.panels.at(0);
  EXPECT_EQ(pbumax.x.text(), "bar diameter db (cm)");
  ASSERT_EQ(pbumax.curves.size(), 2u);
  EXPECT_EQ(pbumax.curves[0].title, "pw = 0.2");
  // A bar stands at its diameter, the points in order along the axis.
  EXPECT_EQ(pbumax.curves[0].x, (std::vector<double>{1.27, 1.59}));
  EXPECT_EQ(pbumax.curves[0].y, (std::vector<double>{100, 200}));
  EXPECT_EQ(pbumax.curves[1].y, std::vector<double>{150});
  EXPECT_EQ(figures[1].first, "required-lb");
  // Only lengths that were found: 9.0 and 15.3 cm for pw = 0.2, none for pw = 0.4.
  EXPECT_EQ(figures[1].second.panels.at(0).curves[0].y, (std::vector<double>{9.0, 15.3}));
  EXPECT_TRUE(figures[1].second.panels.at(0).curves[1].y.empty());
}

TEST(StudyFigures, TheFamilyOfLoadSlipCurvesIsNamedByTheVariedValues) {
  const StudyGrid grid({entry("lb=10,20")});
  std::vector<StudyPoint> points = {point({"10"}, 50), point({"20"}, 90)};
  for (StudyPoint& p : points)
    p.curve = {{1, 0, 0.01, 50, 1}, {2, 0, 0.02, 40, 0.8}};
  const auto figures = studyFigures(grid, points, "beam1.kvt", UnitSystem::SI);
  ASSERT_EQ(figures.front().first, "load-slip");
  const FigurePanel& family = figures.front().second.panels.at(0);
  ASSERT_EQ(family.curves.size(), 2u);
  EXPECT_EQ(family.curves[1].title, "lb = 20");
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
