// SPDX-License-Identifier: MIT
#include "analysis/mc2010_law.h"

#include <gtest/gtest.h>

#include "analysis/analysis_error.h"

namespace kvt {
namespace {

using Bond = Mc2010Entries::Bond;
using Failure = Mc2010Entries::Failure;

// The law in the Model Code's units: slip in mm, stress in MPa.
constexpr double kCmPerMm = 0.1;
constexpr double kKgfCm2PerMpa = 1 / 0.0980665;

Mc2010Entries entries(Bond bond, Failure failure, double cMax = 20, double km = 0, double Ktr = 0) {
  Mc2010Entries e;
  e.fcm = 38;
  e.bond = bond;
  e.failure = failure;
  e.cClear = 8;
  e.cMin = 20;
  e.cMax = cMax;
  e.km = km;
  e.Ktr = Ktr;
  return e;
}

struct Case {
  const char* name;
  Mc2010Entries entries;
  Mc2010Law::Mode mode;
  double tauMax;                                  // MPa
  double s1, s2, s3;                              // mm
  double tauBf;                                   // MPa
  std::vector<std::pair<double, double>> points;  // (mm, MPa) between the corners
};

// Worked out by hand from Table 6.1-1 and Eq. (6.1-5) for fcm = 38 MPa, φ = 16 mm,
// c_clear = 8 mm, cmin = 20 mm.
const Case kCases[] = {
    {"pull-out, good bond",
     entries(Bond::Good, Failure::PullOut),
     Mc2010Law::Mode::PullOut,
     15.411035,
     1.0,
     2.0,
     8.0,
     6.164414,
     {{0.5, 11.679381}, {1.5, 15.411035}, {5.0, 10.787725}, {20, 6.164414}}},
    {"pull-out, other bond",
     entries(Bond::Other, Failure::PullOut),
     Mc2010Law::Mode::PullOut,
     7.705518,
     1.8,
     3.6,
     8.0,
     3.082207,
     {{0.9, 5.839690}, {3.0, 7.705518}, {5.8, 5.393862}, {9, 3.082207}}},
    {"splitting, good bond, unconfined",
     entries(Bond::Good, Failure::Splitting),
     Mc2010Law::Mode::Splitting,
     8.4941233,
     0.22553653,
     0.22553653,
     0.27064383,
     0,
     {{0.112768264, 6.4373417}, {0.248090181, 4.2470617}, {0.5, 0}}},
    {"splitting, other bond, stirrups (lower)",
     entries(Bond::Other, Failure::Lower, 40, 12, 0.02),
     Mc2010Law::Mode::Splitting,
     7.6983502,
     1.7958172,
     1.7958172,
     4.0,
     3.0793401,
     {{0.89790861, 5.8342584}, {2.89790861, 5.3888451}, {10, 3.0793401}}},
};

TEST(Mc2010Law, CornersAndPointsBetweenThem) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    const Mc2010Law law(c.entries, 16);
    EXPECT_EQ(law.mode(), c.mode);
    EXPECT_NEAR(law.peak(), c.tauMax * kKgfCm2PerMpa, 1e-5);
    EXPECT_NEAR(law.s1(), c.s1 * kCmPerMm, 1e-7);
    EXPECT_NEAR(law.s2(), c.s2 * kCmPerMm, 1e-7);
    EXPECT_NEAR(law.s3(), c.s3 * kCmPerMm, 1e-7);
    EXPECT_NEAR(law.tauBf(), c.tauBf * kKgfCm2PerMpa, 1e-5);
    // The corners, and the branches meeting at them.
    EXPECT_EQ(law.stress(0), 0);
    EXPECT_NEAR(law.stress(law.s1()), law.peak(), 1e-12);
    EXPECT_NEAR(law.stress(law.s2()), law.peak(), 1e-12);
    EXPECT_NEAR(law.stress(law.s3()), law.tauBf(), 1e-9);
    for (const auto& [s, tau] : c.points)
      EXPECT_NEAR(law.stress(s * kCmPerMm), tau * kKgfCm2PerMpa, 2e-7 * law.peak()) << s << " mm";
    const std::vector<double> kinks = law.kinks();
    EXPECT_TRUE(std::is_sorted(kinks.begin(), kinks.end()));
    EXPECT_EQ(kinks.back(), law.s3());
    EXPECT_EQ(law.residualFrom(), law.s3());
  }
}

TEST(Mc2010Law, LowerTakesTheFailureOfTheLowerPeak) {
  // cmin = 2.5φ, cmax/cmin = 1.6 and full stirrups: τbu,split = 15.93 MPa > τbmax = 15.41 MPa.
  const Mc2010Entries strong = entries(Bond::Good, Failure::Lower, 64, 12, 0.05);
  Mc2010Entries wide = strong;
  wide.cMin = 40;
  EXPECT_EQ(Mc2010Law(wide, 16).mode(), Mc2010Law::Mode::PullOut);
  wide.failure = Failure::Splitting;
  EXPECT_THROW(Mc2010Law(wide, 16), ParameterError);
  EXPECT_EQ(Mc2010Law(entries(Bond::Good, Failure::Lower), 16).mode(), Mc2010Law::Mode::Splitting);
}

TEST(Mc2010Law, EntriesThatGiveNoLawAreRefused) {
  struct Refusal {
    const char* entry;
    Mc2010Entries e;
  };
  std::vector<Refusal> refusals;
  auto add = [&](const char* entry, auto change, Failure failure = Failure::PullOut) {
    Mc2010Entries e = entries(Bond::Other, failure);
    change(e);
    refusals.push_back({entry, e});
  };
  add("fcm", [](Mc2010Entries& e) { e.fcm = 0; });
  add("c_clear", [](Mc2010Entries& e) { e.cClear = 3; });  // s3 = 3 mm < s2 = 3.6 mm
  add(
      "c_min", [](Mc2010Entries& e) { e.cMin = -1; }, Failure::Splitting);
  add(
      "Ktr", [](Mc2010Entries& e) { e.Ktr = -0.01; }, Failure::Lower);
  for (const Refusal& r : refusals) {
    try {
      Mc2010Law(r.e, 16);
      ADD_FAILURE() << r.entry << " was accepted";
    } catch (const ParameterError& error) {
      EXPECT_NE(std::string(error.what()).find(r.entry), std::string::npos) << error.what();
    }
  }
  EXPECT_THROW(Mc2010Law(entries(Bond::Good, Failure::PullOut), 16).stress(-1e-3), ArithmeticError);
}

}  // namespace
}  // namespace kvt
