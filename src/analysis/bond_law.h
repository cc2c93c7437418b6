// SPDX-License-Identifier: MIT
//
// The analysis layer. `BondLaw` is the local bond stress–slip law τ(s) of one parameter set, and
// its peak `tauMax`. `PullOutRun` marches along the bar for a growing free-end slip, step by step,
// and reports every hand-over point to a `RunObserver`: the result file, the windows and the
// batch runner all observe the same run. Nothing here knows about windows or files.
#pragma once

#include <cmath>
#include <limits>
#include <vector>

#include "params/analysis_parameters.h"

namespace kvt {

// The bond law of one parameter set. The derived quantities are rounded to single precision
// exactly where the program always rounded them (each product or quotient as it is formed, left
// to right); everything else is double. Constructing it checks every one of those operations
// and throws `ArithmeticError` naming the quantity that overflowed or divided by zero.
class BondLaw {
 public:
  explicit BondLaw(const AnalysisParameters& p);

  // τ (kgf/cm²) at slip s (cm), never negative. Throws `ArithmeticError` when an intermediate
  // overflows, which only absurd slips or parameters can cause.
  double stress(double s) const;

  // The same for the march's inner loop: NaN instead of an exception, so the loop stays free of
  // calls; the caller asks `stress` again to report the fault.
  double stressOrNaN(double s) const;

  // tauMax: the largest of 201 samples of the ascending law between 0 and `peakSearchEnd`,
  // without flooring, plateau or cut-off, so in the bilinear variant it may exceed the plateau.
  double peak() const;
  // The same search, with the sample slip (cm) at which the maximum was found, for marking it.
  struct PeakSample {
    double tau = 0;
    double slip = 0;
  };
  PeakSample peakSample() const;

  // The slips (cm), ascending, at which τ(s) or its slope jumps: where the cotα term meets its
  // floor, where the ascending branch gives way to the descending one, the plateau's corner and
  // jump, and where the stress falls to zero for good. Between two of them the law is smooth, so
  // an integrator that restarts at each of them keeps its order. A slip where the stress
  // becomes zero is the first slip, to the last bit, at which this law returns zero. Computed on
  // each call (a few hundred evaluations), so the law stays a handful of numbers to copy.
  std::vector<double> kinks() const;

  bool bilinear() const { return bilinear_; }
  double rSquared() const { return rSquared_; }
  float twoSigmaTBeta() const { return twoSigmaTBeta_; }
  float betaDb() const { return betaDb_; }
  float peakSearchEnd() const { return peakSearchEnd_; }
  float plateau() const { return plateau_; }
  float descentStart() const { return descentStart_; }
  float descentSlope() const { return descentSlope_; }

 private:
  [[noreturn]] void throwStressFault(double s) const;

  // Parameters as doubles, converted once.
  double beta_ = 0, ru_ = 0, k1_ = 0, pw_ = 0, su_ = 0, reductionFactor_ = 0, cotAlpha_ = 0;
  bool bilinear_ = false;

  double rSquared_ = 0;
  float twoSigmaTBeta_ = 0;
  float betaDb_ = 0;
  float peakSearchEnd_ = 0;
  float plateau_ = 0;
  float descentStart_ = 0;
  float descentSlope_ = 0;

  // Constant leading factors, multiplied in the same order as the law is written, so the
  // result is bit for bit that of evaluating the whole expression at every slip.
  double cotFactor_ = 0;  // reductionFactor · cotAlpha · twoSigmaTBeta
  double reducedK1_ = 0;  // reductionFactor · k1
  // The single-precision quantities widened once for the evaluation, which is in double.
  double betaDbWide_ = 0, peakSearchEndWide_ = 0, plateauWide_ = 0, descentStartWide_ = 0,
         descentSlopeWide_ = 0, bilinearLimit_ = 0;
};

// An overflow anywhere shows in the cotα term: β·s overflows its square long before s·β·db
// overflows. The other intermediates are checked where a later step (the floor at zero, the
// plateau, the su cut-off) could otherwise hide an infinity; elsewhere an infinite or NaN stress
// reaches the march, which checks every section.
inline double BondLaw::stressOrNaN(double s) const {
  constexpr double kFault = std::numeric_limits<double>::quiet_NaN();
  const double betaS = beta_ * s;
  const double betaS2 = betaS * betaS;
  const double cotTerm = cotFactor_ * s * (rSquared_ - betaS2) / (rSquared_ + betaS2);
  if (!std::isfinite(cotTerm)) [[unlikely]]
    return kFault;
  double tau = cotTerm < 0 ? 0.0 : cotTerm;
  const double sBetaDb = s * betaDbWide_;
  if (bilinear_) {
    if (sBetaDb < ru_) tau = tau + reducedK1_ * s;
    if (!std::isfinite(tau)) [[unlikely]]
      return kFault;
    if (tau > plateauWide_) tau = plateauWide_;
    if (sBetaDb > bilinearLimit_) tau = plateauWide_;
    if (s > su_) tau = 0;
  } else if (sBetaDb < ru_) {
    tau = tau + reducedK1_ * s;
  } else if (pw_ > 0) {
    tau =
        tau + reductionFactor_ * (descentStartWide_ - descentSlopeWide_ * (s - peakSearchEndWide_));
    if (!std::isfinite(tau)) [[unlikely]]
      return kFault;
  } else {
    tau = 0;
  }
  return tau < 0 ? 0.0 : tau;
}

inline double BondLaw::stress(double s) const {
  const double tau = stressOrNaN(s);
  if (std::isnan(tau)) [[unlikely]]
    throwStressFault(s);
  return tau;
}

// τ(s) and tauMax of a parameter set, for callers that need a single value.
double bondStress(double s, const AnalysisParameters& p);
double peakBondStress(const AnalysisParameters& p);

}  // namespace kvt
