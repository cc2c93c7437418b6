// SPDX-License-Identifier: MIT
#include "batch/code_lengths.h"

#include <gtest/gtest.h>

#include "support/committed_defaults.h"

namespace kvt {
namespace {

TEST(CodeLengths, TheCaseGivesTheBarAndTheStrengths) {
  AnalysisParameters p = testing::committedDefaults();
  p.db = 1.9f;
  p.sigmaB = 240;
  codes::AnchorageCase factors;
  factors.cover = 30;
  const codes::AnchorageCase c = anchorageCaseOf(p, 3500, factors);
  EXPECT_NEAR(c.phi, 19, 1e-5);
  EXPECT_NEAR(c.fck, 23.53596, 1e-5);  // 240 kgf/cm²
  EXPECT_NEAR(c.fy, 343.23275, 1e-5);  // 3500 kgf/cm²
  EXPECT_EQ(c.cover, 30);
}

TEST(CodeLengths, ReportShowsEveryFactorAndEachCodesLength) {
  AnalysisParameters p = testing::committedDefaults();
  CodeRequest request;
  request.codes = {codes::DesignCode::Ec2_2004, codes::DesignCode::Mc2010};
  request.factors.cover = 25;
  request.given = {"cover"};
  const std::string report = codeLengthsReport("D13.kvt", p, 3500, request, UnitSystem::KgfCm);
  EXPECT_NE(report.find("D13.kvt: φ = db = 13 mm, fck = σB = 35.3 MPa, fy = 343.2 MPa"),
            std::string::npos)
      << report;
  EXPECT_NE(report.find("cover 25 mm, spacing single bar (default), bond good (default)"),
            std::string::npos)
      << report;
  const codes::CodeLength ec2 = codes::anchorageLength(codes::DesignCode::Ec2_2004,
                                                       anchorageCaseOf(p, 3500, request.factors));
  EXPECT_NE(report.find("EN 1992-1-1:2004: " + codeLengthText(ec2.length, UnitSystem::KgfCm) +
                        " cm (design), 8.4.4, Eq. (8.4); σsd = "),
            std::string::npos)
      << report;
  EXPECT_NE(report.find("fib MC2010: "), std::string::npos);
  EXPECT_NE(report.find(" cm (mean strengths), Eq. (6.1-19)"), std::string::npos);
  EXPECT_EQ(report.find("ACI 318-19:"), std::string::npos);
  EXPECT_EQ(codeColumnTitle(codes::DesignCode::Aci318, UnitSystem::SI),
            "ACI 318-19 design ld (mm)");
  EXPECT_EQ(codeColumnTitle(codes::DesignCode::Mc2010, UnitSystem::KgfCm),
            "fib MC2010 mean lb (cm)");
  EXPECT_EQ(codeLengthText(412.96, UnitSystem::KgfCm), "41.3");
}

}  // namespace
}  // namespace kvt
