// SPDX-License-Identifier: MIT
#include "aci318.h"

#include <algorithm>
#include <cmath>

#include "code_units.h"

namespace kvt::codes::aci318 {

double psiS(double dbInches) {
  return dbInches <= 19.1 / kMmPerInch ? 0.8 : 1.0;
}

double psiG(double fyPsi) {
  if (fyPsi <= 60000) return 1.0;
  if (fyPsi <= 80000) return 1.15;
  return 1.3;
}

double ldInches(double fyPsi, double fcPsi, double dbInches, double cbInches, double KtrInches,
                const Factors& factors) {
  const double rootFc = std::min(std::sqrt(fcPsi), 100.0);
  const double psiTE = std::min(factors.psiT * factors.psiE, 1.7);
  const double confinement = std::min((cbInches + KtrInches) / dbInches, 2.5);
  const double ld = 3.0 / 40.0 * (fyPsi / (factors.lambda * rootFc)) *
                    (psiTE * factors.psiS * factors.psiG / confinement) * dbInches;
  return std::max(ld, 12.0);
}

double ldMillimetres(double fyMpa, double fcMpa, double dbMm, double cbMm, double KtrMm,
                     const Factors& factors) {
  return kMmPerInch * ldInches(fyMpa / kMpaPerPsi, fcMpa / kMpaPerPsi, dbMm / kMmPerInch,
                               cbMm / kMmPerInch, KtrMm / kMmPerInch, factors);
}

}  // namespace kvt::codes::aci318
