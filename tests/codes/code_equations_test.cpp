// SPDX-License-Identifier: MIT
// Each code's equations against the code's own tables and published worked examples.
#include <gtest/gtest.h>

#include <cmath>

#include "codes/aci318.h"
#include "codes/ec2_2004.h"
#include "codes/ec2_2023.h"
#include "codes/mc2010.h"

namespace kvt::codes {
namespace {

// EN 1992-1-1:2004 for C30/37, φ16, σsd = 435 MPa, good bond: fctk,0.05 = 0.7·0.30·30^(2/3)
// = 2.03 MPa, fbd = 3.04 MPa and lb,rqd = 572 mm; from Table 3.1's rounded fctk,0.05 = 2.0 MPa,
// fbd = 3.0 MPa and lb,rqd = 580 mm.
TEST(Ec2_2004, BasicAnchorageLengthOfC30Phi16) {
  const double fctd = ec2_2004::fctd(ec2_2004::fctk005ForBond(30), 1.0, 1.5);
  const double fbd = ec2_2004::fbd(1.0, ec2_2004::eta2(16), fctd);
  EXPECT_NEAR(fbd, 3.041, 0.001);
  EXPECT_NEAR(ec2_2004::lbRqd(16, 435, fbd), 572.1, 0.1);
  EXPECT_NEAR(ec2_2004::lbRqd(16, 435, 3.0), 580.0, 1e-9);
}

// calculocivil.com's worked example (EC2 8.4, C25/30, φ12, fyk = 500, cd = 35 mm): fbd = 2.69
// MPa, lb,rqd = 484 mm, lb,min = 145 mm, α2 = 1 − 0.15·(35 − 12)/12 and lbd = 345 mm; in poor
// bond (η1 = 0.7) lb,rqd = 692 mm.
TEST(Ec2_2004, DesignAnchorageLengthOfC25Phi12) {
  const double fctd = ec2_2004::fctd(ec2_2004::fctk005ForBond(25), 1.0, 1.5);
  const double basic = ec2_2004::lbRqd(12, 500 / 1.15, ec2_2004::fbd(1.0, 1.0, fctd));
  EXPECT_NEAR(basic, 484, 0.5);
  EXPECT_NEAR(ec2_2004::lbRqd(12, 500 / 1.15, ec2_2004::fbd(0.7, 1.0, fctd)), 692, 0.5);
  const double minimum = ec2_2004::lbMinTension(basic, 12);
  EXPECT_NEAR(minimum, 145, 0.5);
  ec2_2004::Alphas alphas;
  alphas.a2 = 1 - 0.15 * (35.0 - 12) / 12;
  EXPECT_NEAR(ec2_2004::lbd(alphas, basic, minimum), 345, 0.5);
}

TEST(Ec2_2004, LimitsOfTheCoefficients) {
  EXPECT_NEAR(ec2_2004::fctm(60), 2.12 * std::log(1 + 6.8), 1e-12);  // above C50/60
  EXPECT_EQ(ec2_2004::fctk005ForBond(90), ec2_2004::fctk005(60));    // capped at C60/75
  EXPECT_NEAR(ec2_2004::eta2(40), 0.92, 1e-12);
  ec2_2004::Alphas strong;
  strong.a2 = strong.a3 = strong.a5 = 0.7;  // α2·α3·α5 = 0.343 is taken as 0.7
  EXPECT_NEAR(ec2_2004::lbd(strong, 1000, 100), 700, 1e-9);
  EXPECT_EQ(ec2_2004::lbd({}, 200, 300), 300);  // never below lb,min
  EXPECT_EQ(ec2_2004::lbMinTension(200, 8), 100);
}

// EN 1992-1-1:2023, Table 11.1 (σsd = 435 MPa, cd = 1.5φ, good bond): lbd/φ, rounded as the
// table prints it.
TEST(Ec2_2023, TableOfLbdOverPhi) {
  struct Row {
    double phi, fck;
    int lbdOverPhi;
  };
  const Row table[] = {{16, 30, 42}, {12, 20, 47}, {12, 60, 27}, {20, 30, 46}, {25, 40, 43},
                       {32, 60, 38}, {32, 20, 65}, {14, 45, 33}, {28, 25, 56}};
  for (const Row& r : table) {
    const double lbd = ec2_2023::lbd(r.phi, r.fck, 435, 1.5 * r.phi, ec2_2023::kcp(true));
    EXPECT_EQ(std::lround(lbd / r.phi), r.lbdOverPhi) << "φ" << r.phi << " C" << r.fck;
  }
}

TEST(Ec2_2023, LimitsOnEachTerm) {
  const double reference = ec2_2023::lbd(16, 30, 435, 24, 1.0);
  EXPECT_NEAR(ec2_2023::lbd(16, 30, 435, 24, ec2_2023::kcp(false)), 1.2 * reference, 1e-9);
  // cd beyond 3.75φ counts as 3.75φ; a low stress is held at 10φ.
  EXPECT_EQ(ec2_2023::lbd(16, 30, 435, 200, 1.0), ec2_2023::lbd(16, 30, 435, 60, 1.0));
  EXPECT_EQ(ec2_2023::lbd(16, 30, 50, 24, 1.0), 160);
  // 25/fck ≥ 0.3 and φ/20 ≥ 0.6.
  EXPECT_EQ(ec2_2023::lbd(16, 120, 435, 24, 1.0), ec2_2023::lbd(16, 25 / 0.3, 435, 24, 1.0));
  EXPECT_NEAR(ec2_2023::lbd(8, 30, 435, 12, 1.0) / 8, 42.37 * std::cbrt(0.6 / 0.8), 0.01);
}

// fib's own open implementation (fib-international/structuralcodes, tests of
// _interface_concrete_steel_rebar): τbu,split by Eq. (6.1-5) and fstm by Eq. (6.1-19).
TEST(Mc2010, SplittingStrengthAndBarStress) {
  EXPECT_NEAR(mc2010::tauBuSplit(1.0, 15, 20, 10, 30, 12, 0.05), 8.900446, 1e-6);
  EXPECT_NEAR(mc2010::tauBuSplit(0.7, 120, 20, 20, 90, 0, 0.04), 8.185118, 1e-6);
  // Ktr = 0.06 is taken as 0.05 (Eq. 6.1-6).
  EXPECT_EQ(mc2010::tauBuSplit(0.7, 30, 20, 30, 30, 6, 0.06),
            mc2010::tauBuSplit(0.7, 30, 20, 30, 30, 6, 0.05));
  struct Row {
    double fcm, phi, lb, cmin, cmax, km, Ktr, fstm;
  };
  const Row rows[] = {{30, 16, 200, 20, 40, 12, 0.03, 370.1602},
                      {23, 12, 400, 20, 40, 0, 0.03, 513.146},
                      {40, 32, 500, 20, 40, 6, 0.03, 297.027}};
  for (const Row& r : rows) {
    EXPECT_NEAR(mc2010::fstm(r.fcm, r.phi, r.lb, r.cmin, r.cmax, r.km, r.Ktr), r.fstm, 1e-3);
    EXPECT_NEAR(mc2010::lbForFstm(r.fstm, r.fcm, r.phi, r.cmin, r.cmax, r.km, r.Ktr), r.lb,
                r.lb * 1e-5);
  }
  EXPECT_NEAR(mc2010::tauBmaxPullOut(true, 30), 13.69306394, 1e-8);
  EXPECT_NEAR(mc2010::tauBmaxPullOut(false, 60), 9.682458366, 1e-8);
}

// ACI 318-19, 25.4.2.4(a).
TEST(Aci318, DevelopmentLength) {
  // thestructuraltoolbox.com's worked example: No. 3 (db = 0.375 in.), fy = 40,000 psi,
  // f'c = 3,000 psi, epoxy-coated top bar (ψt·ψe = 1.3·1.5, taken as 1.7), ψs = 0.8,
  // cb = 1.5 in. ((cb + Ktr)/db = 4, taken as 2.5): 11.174 in., so ld = 12 in.
  aci318::Factors topEpoxy;
  topEpoxy.psiT = 1.3;
  topEpoxy.psiE = 1.5;
  topEpoxy.psiS = aci318::psiS(0.375);
  EXPECT_EQ(topEpoxy.psiS, 0.8);
  EXPECT_EQ(aci318::ldInches(40000, 3000, 0.375, 1.5, 0, topEpoxy), 12.0);
  // The same bar at 1.5 times the stress (still Grade 60, ψg = 1): 1.5·11.174 in.
  EXPECT_NEAR(aci318::ldInches(60000, 3000, 0.375, 1.5, 0, topEpoxy), 1.5 * 11.1735, 1e-3);
  // The code's simplified case for No. 7 and larger bars (clear spacing ≥ 2db, cover ≥ db:
  // (cb + Ktr)/db = 1.5), Grade 60 in 4,000 psi concrete: ld = fy/(20·√f'c)·db = 47.4 db.
  EXPECT_NEAR(aci318::ldInches(60000, 4000, 1.0, 1.5, 0, {}), 47.434, 1e-3);
  // √f'c is not taken beyond 100 psi.
  EXPECT_EQ(aci318::ldInches(60000, 16000, 1.0, 1.5, 0, {}),
            aci318::ldInches(60000, 10000, 1.0, 1.5, 0, {}));
  EXPECT_EQ(aci318::psiG(60000), 1.0);
  EXPECT_EQ(aci318::psiG(80000), 1.15);
  EXPECT_EQ(aci318::psiG(100000), 1.3);
  EXPECT_EQ(aci318::psiS(19.1 / 25.4), 0.8);  // JIS D19 counts as No. 6
  EXPECT_EQ(aci318::psiS(22.2 / 25.4), 1.0);
}

}  // namespace
}  // namespace kvt::codes
