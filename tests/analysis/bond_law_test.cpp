// SPDX-License-Identifier: MIT
#include "analysis/bond_law.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "analysis/analysis_error.h"
#include "support/committed_defaults.h"

namespace kvt {
namespace {

using kvt::testing::committedBilinear;
using kvt::testing::committedDefaults;

struct StressPoint {
  double s;
  double tau;
  double tolerance;
};

TEST(BondLaw, GeneralLawWithTheDefaults) {
  const BondLaw law(committedDefaults());
  EXPECT_NEAR(law.peakSearchEnd(), 0.024510, 5e-7);
  EXPECT_NEAR(law.peak(), 115.05, 0.005);
  const StressPoint points[] = {
      {0, 0, 0},
      {0.005, 59.37, 0.005},
      {0.01, 100.12, 0.005},
      {0.02, 107.14, 0.005},
      {0.024, 89.53, 0.005},  // ascending side, just before peakSearchEnd
      {0.025, 86.03, 0.005},  // descending side
      {0.05, 48.61, 0.005},
      {0.08, 3.696, 0.0005},
      {0.09, 0, 0},
  };
  for (const StressPoint& p : points)
    EXPECT_NEAR(law.stress(p.s), p.tau, p.tolerance) << p.s;
}

TEST(BondLaw, PeakIsTheSampleJ127) {
  const AnalysisParameters p = committedDefaults();
  const BondLaw law(p);
  const double s127 = 127 * static_cast<double>(law.peakSearchEnd()) / 200;
  EXPECT_NEAR(s127, 0.015564, 5e-7);
  // The peak sample is the ascending law itself at s127: cotα term plus k1·s, reduction factor 1.
  const double beta = static_cast<double>(p.beta);
  const double r2 = law.rSquared();
  const double expected =
      static_cast<double>(p.cotAlpha) * static_cast<double>(law.twoSigmaTBeta()) * s127 *
          (r2 - (beta * s127) * (beta * s127)) / (r2 + (beta * s127) * (beta * s127)) +
      static_cast<double>(p.k1) * s127;
  EXPECT_EQ(law.peak(), expected);
  EXPECT_EQ(law.peakSample().slip, s127);
}

TEST(BondLaw, BilinearVariantCapsAtThePlateauAndCutsOffBeyondSu) {
  const BondLaw law(committedBilinear());
  EXPECT_TRUE(law.bilinear());
  EXPECT_NEAR(law.stress(0.002), 24.96, 0.005);
  for (double s : {0.005, 0.01, 0.049})
    EXPECT_EQ(law.stress(s), 50.0) << s;
  EXPECT_EQ(law.stress(0.051), 0.0);
  EXPECT_EQ(law.stress(0.0), 0.0);
  EXPECT_NEAR(law.peak(), 115.05, 0.005);  // the peak ignores τu
}

// Past s·β·db = 0.4859·ru the bilinear law takes the plateau even where the ascending value is
// lower: with unit parameters and k1 = 0 the ascending law peaks at 0.6006, below a plateau of 1,
// so the stress jumps up to it there.
TEST(BondLaw, BilinearVariantJumpsUpToThePlateauPastTheAscendingPeak) {
  AnalysisParameters p;
  p.cotAlpha = p.beta = p.ru = p.db = p.sigmaT = p.reductionFactor = 1;
  p.tauU = 1;
  p.su = 10;
  const BondLaw law(p);
  EXPECT_NEAR(law.stress(0.48), 0.600468, 5e-7);    // below the jump: the ascending value
  EXPECT_NEAR(law.stress(0.4858), 0.600566, 5e-7);  // the top of the ascending law
  for (const double s : {0.486, 0.5, 0.55, 2.0})
    EXPECT_EQ(law.stress(s), 1.0) << s;
  EXPECT_EQ(law.stress(10.5), 0.0);  // beyond su
}

TEST(BondLaw, UnitParametersPeakAtSample97) {
  AnalysisParameters p;
  p.cotAlpha = p.beta = p.ru = p.db = p.sigmaT = p.reductionFactor = 1;
  EXPECT_NEAR(peakBondStress(p), 0.600564, 5e-7);
  EXPECT_EQ(peakBondStress(p), 2 * 0.485 * (1 - 0.485 * 0.485) / (1 + 0.485 * 0.485));
}

TEST(BondLaw, ReductionFactorScalesThePeakOnce) {
  AnalysisParameters p = committedDefaults();
  p.reductionFactor = 0.5f;
  EXPECT_NEAR(peakBondStress(p), 115.05 / 2, 0.005);
}

TEST(BondLaw, ExactlyAtPeakSearchEndTheGeneralLawDescends) {
  // β = db = ru = 1: s·β·db = ru exactly at s = 1, where the cotα term is zero.
  AnalysisParameters p;
  p.cotAlpha = p.beta = p.ru = p.db = p.sigmaT = p.reductionFactor = 1;
  p.k1 = 3;
  p.k2 = 1;
  p.pw = 0.5f;
  EXPECT_EQ(bondStress(1.0, p), 3.0);  // reduction factor · k1 · peakSearchEnd
  EXPECT_EQ(bondStress(2.0, p), 1.0);  // 3 − (k2/pw)·(2 − 1)
  EXPECT_EQ(bondStress(4.0, p), 0.0);  // floored at zero
  p.pw = 0;
  EXPECT_EQ(bondStress(1.0, p), 0.0);
  // Just before it the ascending side holds: k1·s plus a cotα term that has almost vanished.
  EXPECT_NEAR(bondStress(0.999, p), 2.997 + 0.002, 0.0001);
}

TEST(BondLaw, ANonFallingDescendingBranch) {
  AnalysisParameters p = committedDefaults();
  p.k2 = 0;
  const BondLaw flat(p);
  EXPECT_EQ(flat.stress(1.0), flat.stress(100.0));
  EXPECT_GT(flat.stress(100.0), 0.0);
  p.k2 = -10;
  const BondLaw rising(p);
  EXPECT_GT(rising.stress(1.0), rising.stress(0.5));
}

TEST(BondLaw, FaultsNameTheQuantity) {
  struct Case {
    const char* what;
    void (*change)(AnalysisParameters&);
    ArithmeticError::Kind kind;
    const char* named;
  };
  const Case cases[] = {
      {"db = 0", [](AnalysisParameters& p) { p.db = 0; }, ArithmeticError::Kind::DivisionByZero,
       "ru / db"},
      {"β = 0", [](AnalysisParameters& p) { p.beta = 0; }, ArithmeticError::Kind::DivisionByZero,
       "peakSearchEnd"},
      {"ru = 0", [](AnalysisParameters& p) { p.ru = 0; }, ArithmeticError::Kind::InvalidOperation,
       "s = 0"},
      {"σt = ∞", [](AnalysisParameters& p) { p.sigmaT = HUGE_VALF; },
       ArithmeticError::Kind::Overflow, "σt"},
      {"β·db beyond single", [](AnalysisParameters& p) { p.beta = 1e30f, p.db = 1e30f; },
       ArithmeticError::Kind::Overflow, "β·db"},
      {"pw tiny", [](AnalysisParameters& p) { p.pw = 1e-40f; }, ArithmeticError::Kind::Overflow,
       "k2 / pw"},
  };
  for (const Case& c : cases) {
    AnalysisParameters p = committedDefaults();
    c.change(p);
    try {
      peakBondStress(p);
      ADD_FAILURE() << c.what << ": no error";
    } catch (const ArithmeticError& e) {
      EXPECT_EQ(e.kind(), c.kind) << c.what;
      EXPECT_NE(std::string(e.what()).find(c.named), std::string::npos)
          << c.what << ": " << e.what();
    }
  }
}

TEST(BondLaw, NegativeRuSamplesDownwards) {
  AnalysisParameters p = committedDefaults();
  p.ru = -3.25f;
  const BondLaw law(p);
  EXPECT_LT(law.peakSearchEnd(), 0.0f);
  EXPECT_GE(law.peak(), 0.0);
}

// The kinks bound the law's smooth pieces: each is where its branch, floor or plateau takes over,
// and where the stress falls to zero for good it is the first slip of the zero, to the bit.
TEST(BondLaw, KinksAreWhereTheLawChangesItsBranch) {
  const auto below = [](double s) { return std::nextafter(s, 0.0); };
  const auto above = [](double s) { return std::nextafter(s, 1.0); };

  const BondLaw general(committedDefaults());
  const std::vector<double> k = general.kinks();
  ASSERT_EQ(k.size(), 3u);  // the cotα term's floor, the descending branch, its zero
  EXPECT_NEAR(k[1], general.peakSearchEnd(), 1e-7 * general.peakSearchEnd());
  EXPECT_GT(general.stress(below(k[2])), 0);
  EXPECT_EQ(general.stress(k[2]), 0);
  EXPECT_EQ(general.stress(10 * k[2]), 0);

  const BondLaw bilinear(committedBilinear());
  const std::vector<double> b = bilinear.kinks();
  ASSERT_EQ(b.size(), 3u);  // the plateau's corner, its jump, su
  EXPECT_LT(bilinear.stress(below(b[0])), 50);
  EXPECT_EQ(bilinear.stress(b[0]), 50);
  EXPECT_NEAR(b[1], 0.4859 * 3.25 / static_cast<double>(bilinear.betaDb()), 1e-12);
  EXPECT_EQ(bilinear.stress(below(b[2])), 50);
  EXPECT_EQ(bilinear.stress(b[2]), 0);
  EXPECT_EQ(b[2], above(static_cast<double>(0.05f)));

  AnalysisParameters noDescent = committedDefaults();
  noDescent.pw = 0;
  const BondLaw cut(noDescent);
  EXPECT_GT(cut.stress(below(cut.kinks().back())), 80);
  EXPECT_EQ(cut.stress(cut.kinks().back()), 0);
}

TEST(BondLaw, AnOverflowingSlipIsAFaultEvenWhereTheLawWouldHideIt) {
  AnalysisParameters p = committedBilinear();
  const BondLaw law(p);
  EXPECT_THROW(law.stress(1e300), ArithmeticError);  // the su cut-off would have given 0
  p = committedDefaults();
  p.pw = 0;
  EXPECT_THROW(BondLaw(p).stress(1e300), ArithmeticError);  // pw ≤ 0 would have given 0
}

}  // namespace
}  // namespace kvt
