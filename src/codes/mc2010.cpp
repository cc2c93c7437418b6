// SPDX-License-Identifier: MIT
#include "mc2010.h"

#include <algorithm>
#include <cmath>

namespace kvt::codes::mc2010 {

namespace {

// The factor of Eq. (6.1-19) that lb does not enter: fstm = factor·(lb/φ)^0.55.
double fstmFactor(double fcm, double phi, double cmin, double cmax, double km, double Ktr) {
  const double confinement =
      std::pow(cmin / phi, 0.25) * std::pow(cmax / cmin, 0.1) + km * effectiveKtr(Ktr);
  return 54 * std::pow(fcm / 25, 0.25) * std::pow(25 / phi, 0.2) * confinement;
}

}  // namespace

double tauBmaxPullOut(bool goodBond, double fcm) {
  return (goodBond ? 2.5 : 1.25) * std::sqrt(fcm);
}

double eta2(bool goodBond) {
  return goodBond ? 1.0 : 0.7;
}

double effectiveKtr(double Ktr) {
  return std::min(Ktr, 0.05);
}

double tauBuSplit(double eta2, double fcm, double phi, double cmin, double cmax, double km,
                  double Ktr) {
  const double confinement =
      std::pow(cmin / phi, 0.33) * std::pow(cmax / cmin, 0.1) + km * effectiveKtr(Ktr);
  return eta2 * 6.5 * std::pow(fcm / 25, 0.25) * std::pow(25 / phi, 0.2) * confinement;
}

double fstm(double fcm, double phi, double lb, double cmin, double cmax, double km, double Ktr) {
  return fstmFactor(fcm, phi, cmin, cmax, km, Ktr) * std::pow(lb / phi, 0.55);
}

double lbForFstm(double fs, double fcm, double phi, double cmin, double cmax, double km,
                 double Ktr) {
  return phi * std::pow(fs / fstmFactor(fcm, phi, cmin, cmax, km, Ktr), 1 / 0.55);
}

}  // namespace kvt::codes::mc2010
