// SPDX-License-Identifier: MIT
//
// EN 1992-1-1:2023, 11.4.2: the design anchorage length of a straight ribbed bar, in MPa and mm.
// The formula is calibrated on σsd = 435 MPa (B500 with γs = 1.15) and cd = 1.5φ, where
// Table 11.1 gives lbd/φ directly.
#pragma once

namespace kvt::codes::ec2_2023 {

// 11.4.2(4): kcp = 1.0 for good bond conditions, 1.2 for poor ones.
double kcp(bool goodBond);

// The nationally determined parameters of Eq. (11.3), at their recommended values.
struct Parameters {
  double klb = 50;
  double nSigma = 1.5;
};

// Eq. (11.3): lbd = klb·kcp·φ·(σsd/435)^nσ·(25/fck)^½·(φ/20)^⅓·(1.5φ/cd)^½ ≥ 10φ, with
// cd = min(0.5·cs, cx, cy) taken no larger than 3.75φ, 25/fck no smaller than 0.3 and φ/20 no
// smaller than 0.6: every limit can only lengthen the anchorage.
double lbd(double phi, double fck, double sigmaSd, double cd, double kcp,
           const Parameters& parameters = {});

}  // namespace kvt::codes::ec2_2023
