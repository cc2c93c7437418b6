// SPDX-License-Identifier: MIT
#include "analysis/converged_march.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "analysis/bond_law.h"
#include "analysis/converged_run.h"
#include "support/committed_defaults.h"

namespace kvt {
namespace {

double relative(double value, double expected) {
  return std::abs(value / expected - 1);
}

// τ = k1·s over the whole run: no cotα term, and the ascending branch reaching beyond any slip
// the bar sees.
AnalysisParameters linearLaw(float lb) {
  AnalysisParameters p = testing::committedDefaults();
  p.cotAlpha = 0;
  p.ru = 1e6f;
  p.lb = lb;
  return p;
}

struct LinearCase {
  float lb;
  double s0;
};

// A linear law gives P(x) = Es·Ab·λ·s0·sinh(λx) and s(x) = s0·cosh(λx), λ² = k1·φ/(Es·Ab): from
// a short bar to one whose slip grows by 10^31 along it.
TEST(ConvergedMarch, LinearLawFollowsTheClosedFormAlongTheBar) {
  const LinearCase cases[] = {{20, 1e-10}, {20, 0.01}, {0.5, 0.01}, {200, 1e-14}, {1000, 1e-33}};
  for (const LinearCase& c : cases) {
    const AnalysisParameters p = linearLaw(c.lb);
    const BarModel bar = barModelOf(p);
    const double lambda = std::sqrt(static_cast<double>(p.k1) * bar.phi / bar.EsAb);
    const ConvergedMarch march(BondLaw(p), bar, kConvergedTolerance);
    const double L = bar.length;
    const LoadedEnd end = march.loadedEnd(c.s0);
    EXPECT_LT(relative(end.force, bar.EsAb * lambda * c.s0 * std::sinh(lambda * L)), 1e-7) << L;
    EXPECT_LT(relative(end.slip, c.s0 * std::cosh(lambda * L)), 1e-7) << L;
    const std::vector<double> xs{0, L / 7, L / 2, 0.9 * L, L};
    for (const ProfilePoint& point : march.profile(c.s0, xs)) {
      EXPECT_LT(relative(point.slip, c.s0 * std::cosh(lambda * point.x)), 1e-7) << point.x;
      if (point.x > 0) {
        EXPECT_LT(relative(point.force, bar.EsAb * lambda * c.s0 * std::sinh(lambda * point.x)),
                  1e-7)
            << L << " at " << point.x;
      }
    }
  }
}

// The bi-linear law past its plateau's corner: τ0 over the whole bar, P(x) = τ0·φ·x and
// s(x) = s0 + τ0·φ·x²/(2·Es·Ab), across the slip where the law jumps to its plateau.
TEST(ConvergedMarch, ConstantBondStressGivesALinearForce) {
  const AnalysisParameters p = testing::committedBilinear();
  const BarModel bar = barModelOf(p);
  const ConvergedMarch march(BondLaw(p), bar, kConvergedTolerance);
  const double tau0 = 50, s0 = 0.01;
  const std::vector<double> xs{0, 3, 10, 17.5, 20};
  const std::vector<ProfilePoint> profile = march.profile(s0, xs);
  ASSERT_EQ(profile.size(), xs.size());
  for (const ProfilePoint& point : profile) {
    EXPECT_NEAR(point.force, tau0 * bar.phi * point.x, 1e-9) << point.x;
    EXPECT_NEAR(point.slip, s0 + tau0 * bar.phi * point.x * point.x / (2 * bar.EsAb), 1e-13);
    EXPECT_EQ(point.tau, tau0);
  }
  EXPECT_NEAR(march.loadedEnd(s0).force, 4000, 1e-9);
}

// The loaded end to 1e-7 for every free-end slip, kinks and all: against the same equations
// solved a thousand times tighter, from the foot of the curve to where no bond is left.
TEST(ConvergedMarch, LoadedEndIsRightTo1e7AtEveryFreeEndSlip) {
  AnalysisParameters longBar = testing::committedDefaults();
  longBar.lb = 200;
  for (const AnalysisParameters& p :
       {testing::committedDefaults(), testing::committedBilinear(), longBar}) {
    const BondLaw law(p);
    const ConvergedMarch march(law, barModelOf(p), kConvergedTolerance);
    const ConvergedMarch reference(law, barModelOf(p), kConvergedTolerance / 1000);
    for (double s0 = 0.09; s0 > 1e-17; s0 *= 0.7) {
      const LoadedEnd end = march.loadedEnd(s0);
      const LoadedEnd exact = reference.loadedEnd(s0);
      EXPECT_LT(relative(end.slip, exact.slip), 1e-7) << p.lb << " cm, s0 " << s0;
      if (exact.force > 1e-3) {
        EXPECT_LT(relative(end.force, exact.force), 1e-7) << s0;
      }
      EXPECT_LT(end.force, 1e-3 + exact.force) << s0;
    }
  }
}

// ∂P/∂s0 against a central difference of the loaded-end force, on each side of a kink of the
// law crossed inside the bar and where the bi-linear law's plateau holds.
TEST(ConvergedMarch, DerivativeWithRespectToTheFreeEndSlip) {
  for (const AnalysisParameters& p : {testing::committedDefaults(), testing::committedBilinear()}) {
    const ConvergedMarch march(BondLaw(p), barModelOf(p), 1e-12);
    for (double s0 : {1e-4, 0.002, 0.008, 0.02, 0.04}) {
      const double h = 1e-5 * s0;
      const double difference =
          (march.loadedEnd(s0 + h).force - march.loadedEnd(s0 - h).force) / (2 * h);
      const double slope = march.loadedEndWithSlope(s0).forcePerS0;
      EXPECT_NEAR(slope, difference, 1e-5 * std::abs(difference) + 1e-3) << s0;
    }
  }
}

}  // namespace
}  // namespace kvt
