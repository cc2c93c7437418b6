// SPDX-License-Identifier: MIT
#include "ec2_2023.h"

#include <algorithm>
#include <cmath>

namespace kvt::codes::ec2_2023 {

double kcp(bool goodBond) {
  return goodBond ? 1.0 : 1.2;
}

double lbd(double phi, double fck, double sigmaSd, double cd, double kcp,
           const Parameters& parameters) {
  const double stress = std::pow(sigmaSd / 435, parameters.nSigma);
  const double strength = std::sqrt(std::max(25 / fck, 0.3));
  const double size = std::cbrt(std::max(phi / 20, 0.6));
  const double cover = std::sqrt(1.5 * phi / std::min(cd, 3.75 * phi));
  const double length = parameters.klb * kcp * phi * stress * strength * size * cover;
  return std::max(length, 10 * phi);
}

}  // namespace kvt::codes::ec2_2023
