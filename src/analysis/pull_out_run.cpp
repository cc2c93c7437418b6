// SPDX-License-Identifier: MIT
#include "pull_out_run.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <string>

#include "analysis_error.h"
#include "checked_single.h"
#include "params/format_number.h"
#include "params/numeric_check.h"

namespace kvt {

namespace {
// Sections are handed over in chunks, so a bar of millions of segments needs no step-sized buffer.
constexpr std::size_t kRowChunk = 4096;
}  // namespace

PullOutRun::PullOutRun(AnalysisParameters& parameters, RunObserver& observer)
    : p_(parameters), observer_(observer) {}

void PullOutRun::prepare(const BondLaw& law) {
  tauMax_ = law.peak();
  // Allocated once for steps 1 … 10000 and filled step by step; index 0 is never a step.
  slipHistory_ = std::make_unique_for_overwrite<double[]>(kMaxSteps + 1);
  tauAvgHistory_ = std::make_unique_for_overwrite<double[]>(kMaxSteps + 1);
  slipHistory_[0] = tauAvgHistory_[0] = 0;
  geometry_ = segmentGeometry(p_.lb, p_.deltaL);

  requireFinite(p_.phi, "φ");
  requireFinite(p_.Es, "Es");
  requireFinite(p_.Ab, "Ab");
  requireFinite(p_.initialDs, "initial ds");
  deltaL_ = static_cast<double>(p_.deltaL);
  phi_ = static_cast<double>(p_.phi);
  EsAb_ = singleProduct(p_.Es, p_.Ab, "the axial stiffness Es·Ab");
  twoEsAb_ = singleProduct(singleProduct(2.0f, p_.Es, "2·Es·Ab"), p_.Ab, "2·Es·Ab");
  rows_.resize(std::clamp<std::size_t>(
      static_cast<std::size_t>(std::max(geometry_.segmentCount, 1)), 1, kRowChunk));

  // Step 1 is computed at a free-end slip of 1e-10 cm rather than 0: at zero slip the law gives
  // zero stress everywhere, the average bond stress would be exactly zero and the run would end
  // before it began.
  s0_ = 1e-10;
  ds_ = p_.initialDs;
  step_ = 0;
  tauAvgPrev_ = tauAvgMax_ = PMax_ = 0;
  pastPeak_ = false;
}

PullOutRun::Outcome PullOutRun::run() {
  const BondLaw law(p_);
  prepare(law);
  observer_.runStarted({tauMax_, geometry_.segmentCount, geometry_.displayStride, ds_, p_.deltaL});
  for (;;) {
    ++step_;
    if (observer_.stopRequested(step_)) {
      observer_.runStopped(step_);
      return Outcome::Stopped;
    }
    if (step_ > kMaxSteps) throwStepLimit();
    observer_.stepStarted(step_, s0_, ds_);
    const auto [slip, force] = march(law);
    if (finishStep(slip, force)) {
      observer_.runFinished(last_);
      return Outcome::Finished;
    }
  }
}

std::pair<double, double> PullOutRun::march(const BondLaw& law) {
  MarchState state;
  state.s = s0_;
  const int n = geometry_.segmentCount;
  const int chunk = static_cast<int>(rows_.size());
  for (int first = 1; first <= n; first += chunk) {
    const int last = first + std::min(chunk, n - first + 1) - 1;
    const int computed = marchChunk(law, state, first, last);
    // The sections before a fault were computed; they are handed over before the run ends.
    if (computed > 0)
      observer_.sectionsComputed(std::span(rows_.data(), static_cast<std::size_t>(computed)));
    if (computed < last - first + 1) throwMarchFault(law, first + computed, state.s, state.P);
  }
  return {state.s, state.P};
}

int PullOutRun::marchChunk(const BondLaw& sharedLaw, MarchState& state, int first, int last) {
  // Everything in locals: the loop carries s and P from segment to segment, and a store and
  // reload through memory would lengthen that chain. The rows written below are doubles too,
  // so the compiler would otherwise reload every constant of the law after each row.
  const BondLaw law = sharedLaw;
  const int stride = geometry_.displayStride;
  const double phi = phi_;
  const double deltaL = deltaL_;
  const double EsAb = static_cast<double>(EsAb_);
  const double twoEsAb = static_cast<double>(twoEsAb_);
  SectionRow* row = rows_.data();
  double s = state.s;
  double P = state.P;
  int sinceShown = state.sinceShown;
  int displayRow = state.displayRow;
  int i = first;
  for (; i <= last; ++i, ++row) {
    const double tau = law.stressOrNaN(s);
    const double dP = tau * phi * deltaL;
    const double PNext = P + dP;
    // Elongation of the segment under its mean force P + dP/2; an explicit march, no iteration.
    const double sNext = s + P * deltaL / EsAb + dP * deltaL / twoEsAb;
    if (!(std::isfinite(PNext) && std::isfinite(sNext))) [[unlikely]]
      break;
    row->i = i;
    row->x = i * deltaL;
    row->sNext = sNext;
    row->PNext = PNext;
    row->tau = tau;
    row->displayRow = -1;
    if (++sinceShown == stride) {
      sinceShown = 0;
      row->displayRow = displayRow++;
    }
    s = sNext;
    P = PNext;
  }
  state = {s, P, sinceShown, displayRow};
  return i - first;
}

bool PullOutRun::finishStep(double loadedEndSlip, double loadedEndForce) {
  const float dsAtStart = ds_;
  const double P = loadedEndForce;
  constexpr const char* tauAvgName = "the average bond stress P / (segmentCount·Δl·φ)";
  const double bondedSurface = geometry_.segmentCount * deltaL_ * phi_;
  if (geometry_.segmentCount <= 0)
    throw ArithmeticError(ArithmeticError::Kind::DivisionByZero, tauAvgName,
                          "the bar has no segment (" + noSegmentCause() + ")");
  if (bondedSurface == 0)
    throw ArithmeticError(ArithmeticError::Kind::DivisionByZero, tauAvgName,
                          "the bonded surface is zero (φ = 0)");
  const double tauAvg = P / bondedSurface;
  if (!std::isfinite(tauAvg))
    throw ArithmeticError(ArithmeticError::Kind::Overflow, tauAvgName,
                          "the value is beyond the double-precision range");

  // While the response is still low and flat, double the increment to reach the peak sooner.
  if (tauAvg < 0.3 * tauMax_ && std::abs(tauAvgPrev_ - tauAvg) < tauMax_ / 100)
    setDs(2.0 * static_cast<double>(ds_), "doubled");
  if (P >= PMax_) PMax_ = P;
  if (tauAvg > tauAvgMax_) {
    tauAvgMax_ = tauAvg;
    pastPeak_ = false;
  } else {
    pastPeak_ = true;
  }

  last_ = {step_, s0_, dsAtStart, loadedEndSlip, P, tauAvg, PMax_, tauAvgMax_};
  observer_.stepFinished(last_);

  const auto index = static_cast<std::size_t>(step_);
  slipHistory_[index] = loadedEndSlip;
  tauAvgHistory_[index] = tauAvg;
  observer_.tauSlipPoint({step_, loadedEndSlip, tauAvg,
                          std::span<const double>(slipHistory_.get(), index + 1),
                          std::span<const double>(tauAvgHistory_.get(), index + 1)});

  // Past the peak the response softens; let the increment grow by 2 % per step.
  if (pastPeak_) setDs(1.02 * static_cast<double>(ds_), "grown by 2 %");
  s0_ = s0_ + static_cast<double>(ds_);
  tauAvgPrev_ = tauAvg;
  if (step_ % 5 == 0) observer_.yieldPoint(step_);
  return tauAvg == 0;
}

void PullOutRun::setDs(double value, const char* rule) {
  ds_ = toSingle(value);
  if (std::isinf(ds_)) {
    // ds grows by 2 % only past the peak, so growing beyond the single range takes thousands
    // of steps in which the bond never gave out.
    const std::string hint =
        pastPeak_ ? "; past the peak the average bond stress never returned to zero. Check the "
                    "descending branch of the bond law (C2 and pw)"
                  : "";
    throw ArithmeticError(ArithmeticError::Kind::Overflow, "the slip increment ds",
                          std::string("at step ") + std::to_string(step_) + ", ds " + rule +
                              " is beyond the single-precision range" + hint);
  }
  p_.initialDs = ds_;
}

void PullOutRun::throwStepLimit() const {
  // With no increment the free-end slip stays at its first value and every step repeats the
  // first; the bond law is not to blame then.
  if (ds_ == 0)
    throw StepLimitError(kMaxSteps,
                         "The slip increment ds is 0, so the free-end slip never grew. Enter a "
                         "positive initial ds.");
  throw StepLimitError(kMaxSteps, "Check the descending branch of the bond law (C2 and pw).");
}

std::string PullOutRun::noSegmentCause() const {
  // lb·1000 / Δl·1000 is zero or negative: lb rounds to nothing, or lb and Δl differ in sign.
  if (std::nearbyint(static_cast<double>(p_.lb) * 1000.0) == 0) return "lb·1000 rounds to 0";
  return p_.lb < 0 ? "lb is negative" : "Δl is negative";
}

void PullOutRun::throwMarchFault(const BondLaw& law, int i, double s, double P) const {
  const std::string where = " at step " + std::to_string(step_) + ", segment " + std::to_string(i);
  const double tau = law.stress(s);  // throws when the bond law itself overflowed
  const double dP = tau * phi_ * deltaL_;
  if (EsAb_ == 0)
    throw ArithmeticError(ArithmeticError::Kind::DivisionByZero, "the slip update" + where,
                          "the axial stiffness Es·Ab is zero");
  if (!std::isfinite(dP))
    throw ArithmeticError(ArithmeticError::Kind::Overflow, "the bond force of the segment" + where,
                          "τ·φ·Δl is beyond the double-precision range");
  if (!std::isfinite(P + dP))
    throw ArithmeticError(ArithmeticError::Kind::Overflow, "the bar force" + where,
                          "the force is beyond the double-precision range");
  throw ArithmeticError(ArithmeticError::Kind::Overflow, "the slip" + where,
                        "the slip after " + formatNumber(s, "0.000e+00") +
                            " cm is beyond the double-precision range");
}

}  // namespace kvt
