// SPDX-License-Identifier: MIT
#include "bond_law.h"

#include "analysis_error.h"
#include "checked_single.h"
#include "params/format_number.h"

namespace kvt {

namespace {

double asDouble(float f) {
  return static_cast<double>(f);
}

// r² = (ru / db)², in double precision.
double rSquaredOf(const AnalysisParameters& p) {
  const std::string quantity = "r² = (ru / db)²";
  if (p.db == 0) {
    if (p.ru == 0)
      throw ArithmeticError(ArithmeticError::Kind::InvalidOperation, quantity,
                            "0 / 0, because db is zero");
    throw ArithmeticError(ArithmeticError::Kind::DivisionByZero, quantity, "db is zero");
  }
  const double ratio = asDouble(p.ru) / asDouble(p.db);
  const double squared = ratio * ratio;
  if (std::isinf(squared))
    throw ArithmeticError(ArithmeticError::Kind::Overflow, quantity, "ru / db is too large");
  return squared;
}

}  // namespace

BondLaw::BondLaw(const AnalysisParameters& p) {
  bilinear_ = p.tauU != 0;
  requireFinite(p.cotAlpha, "cotα");
  requireFinite(p.beta, "β");
  requireFinite(p.ru, "ru");
  requireFinite(p.db, "db");
  requireFinite(p.sigmaT, "σt");
  requireFinite(p.k1, "k1 = C1·σt");
  requireFinite(p.reductionFactor, "the reduction factor");
  if (bilinear_) {
    requireFinite(p.tauU, "τu");
  } else {
    requireFinite(p.pw, "pw");
    if (p.pw > 0) requireFinite(p.k2, "k2 = C2·σt");
  }

  beta_ = asDouble(p.beta);
  ru_ = asDouble(p.ru);
  k1_ = asDouble(p.k1);
  pw_ = asDouble(p.pw);
  su_ = asDouble(p.su);
  reductionFactor_ = asDouble(p.reductionFactor);
  cotAlpha_ = asDouble(p.cotAlpha);

  rSquared_ = rSquaredOf(p);
  twoSigmaTBeta_ = singleProduct(singleProduct(2.0f, p.sigmaT, "2·σt·β"), p.beta, "2·σt·β");
  betaDb_ = singleProduct(p.beta, p.db, "β·db");
  peakSearchEnd_ = singleQuotient(p.ru, betaDb_, "peakSearchEnd = ru / (β·db)", "β·db");
  if (bilinear_) {
    plateau_ = singleProduct(p.reductionFactor, p.tauU, "the plateau (reduction factor · τu)");
  } else {
    const std::string quantity = "the start of the descending branch (k1 / β · ru / db)";
    descentStart_ =
        singleQuotient(singleProduct(singleQuotient(p.k1, p.beta, quantity, "β"), p.ru, quantity),
                       p.db, quantity, "db");
    if (p.pw > 0) descentSlope_ = singleQuotient(p.k2, p.pw, "the descending slope k2 / pw", "pw");
  }

  cotFactor_ = reductionFactor_ * cotAlpha_ * asDouble(twoSigmaTBeta_);
  reducedK1_ = reductionFactor_ * k1_;
  betaDbWide_ = asDouble(betaDb_);
  peakSearchEndWide_ = asDouble(peakSearchEnd_);
  plateauWide_ = asDouble(plateau_);
  descentStartWide_ = asDouble(descentStart_);
  descentSlopeWide_ = asDouble(descentSlope_);
  // Past the slip at which the cotα term peaks (β·s / (ru/db) ≈ 0.4859) the bilinear law stays
  // on its plateau.
  bilinearLimit_ = 0.4859 * ru_;
}

void BondLaw::throwStressFault(double s) const {
  const double betaS = beta_ * s;
  const double denominator = rSquared_ + betaS * betaS;
  if (denominator == 0)
    throw ArithmeticError(ArithmeticError::Kind::InvalidOperation, "the bond law at s = 0",
                          "0 / 0 in the cotα term, because ru is zero");
  throw ArithmeticError(ArithmeticError::Kind::Overflow, "the bond law",
                        "the bond stress at slip " + formatNumber(s, "0.000e+00") +
                            " cm is beyond the double-precision range");
}

double BondLaw::peak() const {
  return peakSample().tau;
}

BondLaw::PeakSample BondLaw::peakSample() const {
  // The samples run from 0 to peakSearchEnd (downwards when ru is negative), both included.
  const double end = asDouble(peakSearchEnd_);
  const double cotTsb = cotAlpha_ * asDouble(twoSigmaTBeta_);
  double tauMax = 0;
  double slip = 0;
  for (int j = 0; j <= 200; ++j) {
    const double s = j * end / 200;
    const double betaS = beta_ * s;
    const double betaS2 = betaS * betaS;
    const double tau =
        reductionFactor_ * (cotTsb * s * (rSquared_ - betaS2) / (rSquared_ + betaS2) + k1_ * s);
    if (!std::isfinite(tau)) [[unlikely]]
      throwStressFault(s);
    if (tau >= tauMax) {
      tauMax = tau;
      slip = s;
    }
  }
  return {tauMax, slip};
}

double bondStress(double s, const AnalysisParameters& p) {
  return BondLaw(p).stress(s);
}

double peakBondStress(const AnalysisParameters& p) {
  return BondLaw(p).peak();
}

}  // namespace kvt
