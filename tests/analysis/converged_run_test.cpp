// SPDX-License-Identifier: MIT
#include "analysis/converged_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "analysis/analysis_error.h"
#include "analysis/converged_march.h"
#include "analysis/pull_out_run.h"
#include "support/committed_defaults.h"

namespace kvt {
namespace {

using testing::committedBilinear;
using testing::committedDefaults;

AnalysisParameters withLength(AnalysisParameters p, float lb) {
  p.lb = lb;
  return p;
}

// The march's Pbumax over segments that divide lb exactly, so that the analysed bar is lb.
double marchPbumax(AnalysisParameters p, float deltaL) {
  p.deltaL = deltaL;
  RunObserver nothing;
  PullOutRun run(p, nothing);
  run.run();
  EXPECT_NEAR(run.geometry().segmentCount * static_cast<double>(deltaL), p.lb, 1e-5);
  return run.PMax();
}

// The march is of first order in Δl; two Richardson steps over Δl = 0.1, 0.05 and 0.025 take
// out the first two terms of its error, and what remains is the model's own answer.
TEST(ConvergedRun, PbumaxIsTheLimitOfTheMarch) {
  for (const AnalysisParameters& p : {committedDefaults(), committedBilinear()}) {
    const double P1 = marchPbumax(p, 0.1f), P2 = marchPbumax(p, 0.05f), P3 = marchPbumax(p, 0.025f);
    const double first = 2 * P2 - P1, second = 2 * P3 - P2;
    const double limit = (4 * second - first) / 3;
    EXPECT_NEAR(runConverged(p).peak.force, limit, 1e-4 * limit);
  }
}

// What every curve keeps to: it starts below 0.1 % of Pbumax, neighbours are within 1 % of
// Pbumax and of the loaded-end slip at Pbumax, Pbumax is a point of it and nothing rises above
// it. At a foot, the active length grows at a free end at rest; then s0 grows.
void expectResolved(const ConvergedResult& r) {
  const ConvergedPeak& peak = r.peak;
  EXPECT_LT(r.points.front().loadedEndForce, 1e-3 * peak.force);
  for (std::size_t i = 1; i < r.points.size(); ++i) {
    const ConvergedPoint &a = r.points[i - 1], &b = r.points[i];
    if (b.s0 == 0) {
      ASSERT_GT(b.activeLength, a.activeLength);
    } else {
      ASSERT_GT(b.s0, a.s0);
      ASSERT_EQ(b.activeLength, r.length);
    }
    EXPECT_LE(std::abs(b.loadedEndForce - a.loadedEndForce), 0.01 * peak.force * (1 + 1e-9));
    EXPECT_LE(std::abs(b.loadedEndSlip - a.loadedEndSlip),
              0.01 * peak.firstLoadedEndSlip * (1 + 1e-9));
    EXPECT_LE(b.loadedEndForce, peak.force * (1 + 1e-7));
  }
  EXPECT_EQ(r.points[r.peakIndex].s0, peak.firstS0);
  EXPECT_EQ(r.points[r.peakIndex].loadedEndForce, peak.force);
  EXPECT_EQ(r.points.back().s0, r.endS0);
}

// Curves that end where no bond is left, at zero load, as the march does.
TEST(ConvergedRun, CurveResolvesTheWholeResponse) {
  for (const AnalysisParameters& p :
       {committedDefaults(), committedBilinear(), withLength(committedDefaults(), 5)}) {
    const ConvergedResult r = runConverged(p);
    ASSERT_GT(r.points.size(), 200u);
    expectResolved(r);
    EXPECT_EQ(r.points[r.peakIndex].tauAvg, r.peak.force / (p.lb * static_cast<double>(p.phi)));
    EXPECT_EQ(r.end, ConvergedEnd::NoBondLeft);
    EXPECT_EQ(r.points.back().loadedEndForce, 0);
    EXPECT_EQ(r.points.back().loadedEndSlip, r.endS0);
    EXPECT_EQ(r.length, p.lb);
  }
}

// Pbumax alone, for a search over lengths, is the curve's Pbumax.
TEST(ConvergedRun, PeakAloneIsTheCurvesPeak) {
  for (const AnalysisParameters& p : {committedDefaults(), committedBilinear()}) {
    const ConvergedPeak alone = convergedPeak(BondLaw(p), barModelOf(p));
    const ConvergedPeak ofCurve = runConverged(p).peak;
    EXPECT_EQ(alone.force, ofCurve.force);
    EXPECT_EQ(alone.firstS0, ofCurve.firstS0);
    EXPECT_EQ(alone.lastS0, ofCurve.lastS0);
  }
}

// A smooth maximum: ∂P/∂s0 changes sign within 1e-7 of the slip found.
TEST(ConvergedRun, SmoothPeakIsBracketedTo1e7) {
  const AnalysisParameters p = committedDefaults();
  const ConvergedResult r = runConverged(p);
  EXPECT_EQ(r.peak.firstS0, r.peak.lastS0);
  const ConvergedMarch march(BondLaw(p), barModelOf(p), kConvergedTolerance);
  EXPECT_GT(march.loadedEndWithSlope(r.peak.firstS0 * (1 - 1e-7)).forcePerS0, 0);
  EXPECT_LT(march.loadedEndWithSlope(r.peak.firstS0 * (1 + 1e-7)).forcePerS0, 0);
}

// Flat maxima are ranges. The plateau holds τu·φ·lb from the free-end slip of its corner until
// the loaded end reaches su; a long bar holds its load, to 1e-7, from where its loaded end
// reaches the slip at which the law ends, until its free end starts to move.
TEST(ConvergedRun, FlatPeaksAreRanges) {
  const AnalysisParameters bilinear = committedBilinear();
  const ConvergedResult plateau = runConverged(bilinear);
  const double corner = BondLaw(bilinear).kinks().front();
  EXPECT_NEAR(plateau.peak.force, 50.0 * 4 * 20, 1e-9);
  EXPECT_NEAR(plateau.peak.firstS0, corner, 1e-7 * corner);
  EXPECT_NEAR(plateau.peak.lastLoadedEndSlip, 0.05, 1e-7 * 0.05);

  ConvergedOptions quick;
  quick.relativeTolerance = 1e-7;
  const AnalysisParameters longBar = withLength(committedDefaults(), 200);
  const ConvergedResult r = runConverged(longBar, quick);
  const double lawEnd = BondLaw(longBar).kinks().back();
  EXPECT_NEAR(r.peak.firstLoadedEndSlip, lawEnd, 1e-6 * lawEnd);
  EXPECT_GT(r.peak.lastLoadedEndSlip, 5 * lawEnd);
}

// lb = 200: the march's first step already carries Pbumax; here the rising branch has at least
// 20 points, the first below 1 % of Pbumax.
TEST(ConvergedRun, LongBarKeepsItsRisingBranch) {
  ConvergedOptions quick;
  quick.relativeTolerance = 1e-7;
  const ConvergedResult r = runConverged(withLength(committedDefaults(), 200), quick);
  EXPECT_GE(r.peakIndex, 20u);
  EXPECT_LT(r.points.front().loadedEndForce, 0.01 * r.peak.force);
}

struct EndCase {
  bool residual;  // k2 = 0: the descending branch stays at the stress of its start
  std::optional<double> endS0;
  ConvergedEnd end;
};

// Where the curve ends: no bond left, the slip the user set (unless the bond is gone before it),
// or for a law that keeps a residual stress 20 times the loaded-end slip at Pbumax.
TEST(ConvergedRun, EndsWhereTheBondEndsOrWhereItIsSet) {
  const EndCase cases[] = {{false, 0.5, ConvergedEnd::NoBondLeft},
                           {false, 0.03, ConvergedEnd::EndSlipSet},
                           {true, std::nullopt, ConvergedEnd::EndSlipDefault},
                           {true, 0.2, ConvergedEnd::EndSlipSet}};
  for (const EndCase& c : cases) {
    AnalysisParameters p = committedDefaults();
    if (c.residual) p.k2 = 0;
    ConvergedOptions options;
    options.endS0 = c.endS0;
    const ConvergedResult r = runConverged(p, options);
    EXPECT_EQ(r.end, c.end) << c.residual << " " << c.endS0.value_or(0);
    EXPECT_EQ(r.points.back().s0, r.endS0);
    if (c.end == ConvergedEnd::EndSlipSet) {
      EXPECT_EQ(r.endS0, *c.endS0);
    }
    if (c.end == ConvergedEnd::EndSlipDefault) {
      EXPECT_EQ(r.endS0, 20 * r.peak.firstLoadedEndSlip);
      EXPECT_GT(r.points.back().loadedEndForce, 0.5 * r.peak.force);
    }
  }
}

// The other laws through the same solver. MC2010's τbmax between s1 and s2 is a plateau: a short
// bar holds τbmax·φ·lb from s0 = s1 until its loaded end reaches s2, and its residual stress
// ends the curve at 20 times the slip at Pbumax. A table that rises linearly is the linear law.
TEST(ConvergedRun, OtherLawsOfTheSameConcept) {
  const BarModel bar = barModelOf(withLength(committedDefaults(), 2));
  const Mc2010Law mc2010(Mc2010Entries{}, 13);
  const ConvergedResult r = runConverged(RunLaw(mc2010), bar);
  EXPECT_NEAR(r.peak.force, mc2010.peak() * bar.phi * bar.length, 1e-9 * r.peak.force);
  EXPECT_NEAR(r.peak.firstS0, mc2010.s1(), 1e-7 * mc2010.s1());
  EXPECT_NEAR(r.peak.lastLoadedEndSlip, mc2010.s2(), 1e-7 * mc2010.s2());
  EXPECT_EQ(r.end, ConvergedEnd::EndSlipDefault);
  EXPECT_EQ(r.endS0, 20 * r.peak.firstLoadedEndSlip);
  expectResolved(r);

  const double k = 3540, s0 = 1e-3;
  const BarModel longer{bar.phi, bar.EsAb, 20};
  const std::vector<double> loadedEnd{longer.length};
  const ConvergedPoint point{s0, 0, 0, 0, longer.length};
  const ProfilePoint end =
      convergedProfile(RunLaw(TabulatedLaw({{10, 10 * k}})), longer, point, loadedEnd).front();
  const double lambda = std::sqrt(k * bar.phi / bar.EsAb);
  EXPECT_NEAR(end.force, bar.EsAb * lambda * s0 * std::sinh(lambda * 20), 1e-7 * end.force);
}

// MC2010's (s/s1)^0.4 develops slip from zero over a finite length: a 20 cm bar already carries
// about a tenth of Pbumax with its free end at rest. That part of the curve is a bar whose bonded
// zone spreads from the loaded end, and it joins the part of growing s0 without a gap.
TEST(ConvergedRun, FootOfACurveWithTheFreeEndAtRest) {
  const BarModel bar = barModelOf(withLength(committedDefaults(), 20));
  const ConvergedResult r = runConverged(RunLaw(Mc2010Law(Mc2010Entries{}, 13)), bar);
  ASSERT_EQ(r.points.front().s0, 0);
  EXPECT_LT(r.points.front().activeLength, 0.5 * bar.length);
  const auto firstMoving =
      std::find_if(r.points.begin(), r.points.end(), [](auto& p) { return p.s0 > 0; });
  ASSERT_GT(firstMoving - r.points.begin(), 5);
  EXPECT_EQ(firstMoving->s0, kFootSlip);
  EXPECT_GT(firstMoving->loadedEndForce, 0.05 * r.peak.force);
  expectResolved(r);
  // A point of the foot: nothing up to lb − ℓ, its loaded end at lb.
  const ConvergedPoint& foot = r.points[3];
  const std::vector<double> xs{0, bar.length - foot.activeLength - 0.01, bar.length};
  const std::vector<ProfilePoint> along =
      convergedProfile(RunLaw(Mc2010Law(Mc2010Entries{}, 13)), bar, foot, xs);
  EXPECT_EQ(along[1].force, 0);
  EXPECT_NEAR(along[2].force, foot.loadedEndForce, 1e-7 * foot.loadedEndForce);
  EXPECT_NEAR(along[2].slip, foot.loadedEndSlip, 1e-7 * foot.loadedEndSlip);
}

TEST(ConvergedRun, RefusesWhatItCannotFollow) {
  AnalysisParameters rising = committedDefaults();
  rising.k2 = -100;  // the descending branch rises without end
  try {
    runConverged(rising);
    FAIL() << "a load that rises without end has no curve";
  } catch (const AnalysisError& e) {
    EXPECT_NE(std::string(e.what()).find("still rises"), std::string::npos) << e.what();
  }
  AnalysisParameters noPerimeter = committedDefaults();
  noPerimeter.phi = 0;
  EXPECT_THROW(runConverged(noPerimeter), ParameterError);
}

}  // namespace
}  // namespace kvt
