// SPDX-License-Identifier: MIT
#include "mc2010_law.h"

#include <string>

#include "analysis_error.h"
#include "codes/code_units.h"
#include "codes/mc2010.h"
#include "params/format_number.h"
#include "slip_fault.h"

namespace kvt {

namespace {

// The law in the Model Code's units, before conversion.
struct Branches {
  double tauMax = 0, tauBf = 0;   // MPa
  double s1 = 0, s2 = 0, s3 = 0;  // mm
};

std::string mm(double value) {
  return formatNumber(value, "0.0##") + " mm";
}

std::string mpa(double value) {
  return formatNumber(value, "0.0#") + " MPa";
}

void requirePositive(double value, const char* entry) {
  if (!(value > 0) || std::isinf(value))
    throw ParameterError(std::string("MC2010 law: ") + entry + " must be a positive number");
}

void requireNotNegative(double value, const char* entry) {
  if (!(value >= 0) || std::isinf(value))
    throw ParameterError(std::string("MC2010 law: ") + entry + " must be zero or more");
}

Branches pullOut(const Mc2010Entries& e) {
  const bool good = e.bond == Mc2010Entries::Bond::Good;
  const double tauMax = codes::mc2010::tauBmaxPullOut(good, e.fcm);
  return {tauMax, 0.4 * tauMax, good ? 1.0 : 1.8, good ? 2.0 : 3.6, e.cClear};
}

double splittingStrength(const Mc2010Entries& e, double phi) {
  requirePositive(phi, "the bar diameter db");
  requirePositive(e.cMin, "c_min");
  requirePositive(e.cMax, "c_max");
  requireNotNegative(e.km, "km");
  requireNotNegative(e.Ktr, "Ktr");
  const double eta2 = codes::mc2010::eta2(e.bond == Mc2010Entries::Bond::Good);
  return codes::mc2010::tauBuSplit(eta2, e.fcm, phi, e.cMin, e.cMax, e.km, e.Ktr);
}

// The splitting law shares the pull-out law's ascending branch up to τbu,split.
Branches splitting(const Mc2010Entries& e, const Branches& po, double tauSplit) {
  const double s1 = po.s1 * std::pow(tauSplit / po.tauMax, 1 / 0.4);
  if (e.Ktr > 0) return {tauSplit, 0.4 * tauSplit, s1, s1, 0.5 * e.cClear};
  return {tauSplit, 0, s1, s1, 1.2 * s1};
}

}  // namespace

Mc2010Law::Mc2010Law(const Mc2010Entries& e, double phi) {
  requirePositive(e.fcm, "fcm");
  requirePositive(e.cClear, "c_clear");
  Branches law = pullOut(e);
  if (e.failure != Mc2010Entries::Failure::PullOut) {
    const double tauSplit = splittingStrength(e, phi);
    if (tauSplit < law.tauMax) {
      law = splitting(e, law, tauSplit);
      mode_ = Mode::Splitting;
    } else if (e.failure == Mc2010Entries::Failure::Splitting) {
      throw ParameterError("MC2010 law: splitting cannot govern: τbu,split = " + mpa(tauSplit) +
                           " is not below the pull-out τbmax = " + mpa(law.tauMax) +
                           "; choose failure = \"pull-out\" or \"lower\"");
    }
  }
  confined_ = e.Ktr > 0;
  if (!(law.s3 > law.s2))
    throw ParameterError("MC2010 law: c_clear = " + mm(e.cClear) + " gives s3 = " + mm(law.s3) +
                         ", which is not beyond s2 = " + mm(law.s2) +
                         ": the descending branch has no length");

  constexpr double kgfCm2 = 1 / codes::kMpaPerKgfCm2;
  constexpr double cm = 1 / codes::kMmPerCm;
  tauMax_ = law.tauMax * kgfCm2;
  tauBf_ = law.tauBf * kgfCm2;
  s1_ = law.s1 * cm;
  s2_ = law.s2 * cm;
  s3_ = law.s3 * cm;
  inverseS1_ = 1 / s1_;
  fallRate_ = (tauMax_ - tauBf_) / (s3_ - s2_);
}

double Mc2010Law::stress(double s) const {
  const double tau = stressOrNaN(s);
  if (std::isnan(tau)) throwNotASlip("the MC2010 bond law", s);
  return tau;
}

std::vector<double> Mc2010Law::kinks() const {
  if (s2_ > s1_) return {s1_, s2_, s3_};
  return {s1_, s3_};
}

}  // namespace kvt
