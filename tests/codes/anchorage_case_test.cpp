// SPDX-License-Identifier: MIT
#include "codes/anchorage_case.h"

#include <gtest/gtest.h>

#include "codes/code_units.h"
#include "codes/mc2010.h"

namespace kvt::codes {
namespace {

AnchorageCase d16() {
  AnchorageCase c;
  c.phi = 16;
  c.fck = 30;
  c.fy = 500;
  return c;
}

TEST(AnchorageCase, EachCodeReadsTheCaseAsItsEquationsDo) {
  const AnchorageCase c = d16();
  const double sigmaSd = 500 / 1.15;
  const double fbd = ec2_2004::fbd(1, 1, ec2_2004::fctd(ec2_2004::fctk005(30), 1, 1.5));
  EXPECT_DOUBLE_EQ(anchorageLength(DesignCode::Ec2_2004, c).length,
                   ec2_2004::lbRqd(16, sigmaSd, fbd));
  EXPECT_DOUBLE_EQ(anchorageLength(DesignCode::Ec2_2023, c).length,
                   ec2_2023::lbd(16, 30, sigmaSd, 40, 1.0));
  // Mean basis: fcm = fck + 8 MPa, and the bar developed to fy itself, not fy/γs.
  const CodeLength mc = anchorageLength(DesignCode::Mc2010, c);
  EXPECT_TRUE(mc.meanBasis);
  EXPECT_NEAR(mc2010::fstm(38, 16, mc.length, 40, 40, 0, 0), 500, 1e-9);
  // ACI: cb from the bar's centre; a 16 mm bar is No. 6 or smaller (ψs = 0.8); 500 MPa is
  // above Grade 60 (ψg = 1.15).
  aci318::Factors f;
  f.psiS = 0.8;
  f.psiG = 1.15;
  const CodeLength aci = anchorageLength(DesignCode::Aci318, c);
  EXPECT_FALSE(aci.meanBasis);
  EXPECT_DOUBLE_EQ(aci.length, aci318::ldMillimetres(500, 30, 16, 48, 0, f));
}

TEST(AnchorageCase, PoorBondAndCloseBarsLengthenTheAnchorage) {
  AnchorageCase poor = d16();
  poor.goodBond = false;
  AnchorageCase close = d16();
  close.clearSpacing = 32;  // cs/2 = 16 mm governs the 40 mm cover
  EXPECT_EQ(coverCd(close), 16);
  EXPECT_EQ(coverCmax(close), 40);
  EXPECT_EQ(coverCb(close), 24);
  for (DesignCode code : kDesignCodes) {
    const double base = anchorageLength(code, d16()).length;
    if (code != DesignCode::Mc2010) {  // Eq. (6.1-19) has no bond condition
      EXPECT_GT(anchorageLength(code, poor).length, base) << codeKey(code);
    }
    // EN 1992-1-1:2004 reads the cover only through α2, which the designer gives.
    if (code == DesignCode::Ec2_2004) {
      EXPECT_EQ(anchorageLength(code, close).length, base);
    } else {
      EXPECT_GT(anchorageLength(code, close).length, base) << codeKey(code);
    }
  }
}

TEST(AnchorageCase, KeysAndTitles) {
  for (DesignCode code : kDesignCodes)
    EXPECT_EQ(designCodeFromKey(codeKey(code)), code);
  EXPECT_FALSE(designCodeFromKey("ec2"));
  EXPECT_EQ(codeTitle(DesignCode::Aci318), "ACI 318-19");
}

}  // namespace
}  // namespace kvt::codes
