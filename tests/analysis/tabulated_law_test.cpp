// SPDX-License-Identifier: MIT
#include "analysis/tabulated_law.h"

#include <gtest/gtest.h>

#include "analysis/analysis_error.h"

namespace kvt {
namespace {

TEST(TabulatedLaw, LinearBetweenPointsFromZeroAndHeldBeyond) {
  const TabulatedLaw law({{0.01, 50}, {0.03, 100}, {0.05, 20}});
  const std::pair<double, double> points[] = {{0, 0},     {0.005, 25}, {0.01, 50},
                                              {0.02, 75}, {0.03, 100}, {0.045, 40},
                                              {0.05, 20}, {0.5, 20},   {1e300, 20}};
  for (const auto& [s, tau] : points)
    EXPECT_DOUBLE_EQ(law.stress(s), tau) << s;
  EXPECT_EQ(law.peak(), 100);
  EXPECT_EQ(law.kinks(), (std::vector<double>{0.01, 0.03, 0.05}));
  EXPECT_EQ(law.residualFrom(), 0.05);
  EXPECT_EQ(law.residualStress(), 20);
  EXPECT_TRUE(std::isnan(law.stressOrNaN(-1e-9)));
  EXPECT_THROW(law.stress(std::nan("")), ArithmeticError);
  // A table that starts at zero slip starts at its own first stress.
  EXPECT_EQ(TabulatedLaw({{0, 5}, {1, 15}}).stress(0.5), 10);
}

TEST(TabulatedLaw, PointsThatGiveNoLawAreRefused) {
  struct Refusal {
    std::vector<LawPoint> points;
    const char* reason;
  };
  const Refusal refusals[] = {
      {{}, "no point"},
      {{{0.01, 1}, {0.01, 2}}, "point 2 does not slip further"},
      {{{0.02, 1}, {0.01, 2}}, "point 2 does not slip further"},
      {{{-0.01, 1}}, "point 1 has a negative slip"},
      {{{0.01, 1}, {0.02, -2}}, "point 2 has a negative bond stress"},
      {{{0.01, std::nan("")}}, "point 1 is not a pair of finite numbers"},
      {{{1e-300, 1e300}}, "point 1 is so close"},
  };
  for (const Refusal& r : refusals) {
    try {
      TabulatedLaw law(r.points);
      ADD_FAILURE() << r.reason << ": accepted";
    } catch (const ParameterError& error) {
      EXPECT_NE(std::string(error.what()).find(r.reason), std::string::npos) << error.what();
    }
  }
}

}  // namespace
}  // namespace kvt
