// SPDX-License-Identifier: MIT
//
// EN 1992-1-1:2004, 8.4: the anchorage of a straight ribbed bar in tension. Stresses in MPa,
// lengths in mm. Each function is one equation of the code, named after the quantity it gives.
#pragma once

namespace kvt::codes::ec2_2004 {

// Table 3.1: the mean axial tensile strength, 0.30·fck^(2/3) up to C50/60 and
// 2.12·ln(1 + fcm/10) above, with fcm = fck + 8 MPa.
double fctm(double fck);

// Table 3.1: the 5 % fractile of the tensile strength, 0.7·fctm.
double fctk005(double fck);

// Eq. (3.16): the design tensile strength αct·fctk,0.05/γc.
double fctd(double fctk005, double alphaCt, double gammaC);

// 8.4.2(2): η2 = 1.0 for φ ≤ 32 mm, (132 − φ)/100 above.
double eta2(double phi);

// Eq. (8.2): the design value of the ultimate bond stress, 2.25·η1·η2·fctd. η1 is 1.0 for good
// bond conditions and 0.7 for all others.
double fbd(double eta1, double eta2, double fctd);

// 8.4.2(2), note: for bond, fctk,0.05 is taken no higher than that of C60/75, because
// higher-strength concrete is more brittle.
double fctk005ForBond(double fck);

// Eq. (8.3): the basic required anchorage length (φ/4)·(σsd/fbd).
double lbRqd(double phi, double sigmaSd, double fbd);

// Eq. (8.6): the minimum anchorage length in tension, max(0.3·lb,rqd, 10φ, 100 mm).
double lbMinTension(double lbRqd, double phi);

// Table 8.2's coefficients; each is 1 unless the designer gives it.
struct Alphas {
  double a1 = 1, a2 = 1, a3 = 1, a4 = 1, a5 = 1;
};

// Eq. (8.4) with Eq. (8.5): α1·α2·α3·α4·α5·lb,rqd, where α2·α3·α5 is not taken below 0.7, and
// the result not below lb,min.
double lbd(const Alphas& alphas, double lbRqd, double lbMin);

}  // namespace kvt::codes::ec2_2004
