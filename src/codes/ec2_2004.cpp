// SPDX-License-Identifier: MIT
#include "ec2_2004.h"

#include <algorithm>
#include <cmath>

namespace kvt::codes::ec2_2004 {

double fctm(double fck) {
  if (fck <= 50) return 0.30 * std::cbrt(fck * fck);
  return 2.12 * std::log(1 + (fck + 8) / 10);
}

double fctk005(double fck) {
  return 0.7 * fctm(fck);
}

double fctd(double fctk005, double alphaCt, double gammaC) {
  return alphaCt * fctk005 / gammaC;
}

double eta2(double phi) {
  return phi <= 32 ? 1.0 : (132 - phi) / 100;
}

double fbd(double eta1, double eta2, double fctd) {
  return 2.25 * eta1 * eta2 * fctd;
}

double fctk005ForBond(double fck) {
  return fctk005(std::min(fck, 60.0));
}

double lbRqd(double phi, double sigmaSd, double fbd) {
  return phi / 4 * (sigmaSd / fbd);
}

double lbMinTension(double lbRqd, double phi) {
  return std::max({0.3 * lbRqd, 10 * phi, 100.0});
}

double lbd(const Alphas& alphas, double lbRqd, double lbMin) {
  const double confinement = std::max(alphas.a2 * alphas.a3 * alphas.a5, 0.7);
  return std::max(alphas.a1 * alphas.a4 * confinement * lbRqd, lbMin);
}

}  // namespace kvt::codes::ec2_2004
