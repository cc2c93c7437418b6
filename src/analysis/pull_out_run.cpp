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

// segmentCount·Δl·φ, the surface over which the loaded-end force is spread; its faults are the
// run's at the end of its first step.
double bondedSurface(const SectionMarch& march) {
  constexpr const char* tauAvgName = "the average bond stress P / (segmentCount·Δl·φ)";
  const int segmentCount = march.geometry().segmentCount;
  if (segmentCount <= 0)
    throw ArithmeticError(ArithmeticError::Kind::DivisionByZero, tauAvgName,
                          "the bar has no segment (lb·1000 rounds to 0)");
  const double surface = segmentCount * march.deltaL() * march.phi();
  if (surface == 0)
    throw ArithmeticError(ArithmeticError::Kind::DivisionByZero, tauAvgName,
                          "the bonded surface is zero (φ = 0)");
  return surface;
}

}  // namespace

void PullOutRun::checkBeforeRun(const AnalysisParameters& p, const LawEntries& entries) {
  // The run's own start, in its order, then its first step's faults in theirs.
  const RunLaw law = formRunLaw(entries, p);
  (void)std::visit([](const auto& l) { return l.peak(); }, law);
  const SectionMarch march(law, p);
  requireFinite(p.initialDs, "initial ds");
  march.checkFirstSegment(kFirstFreeEndSlip);
  (void)bondedSurface(march);
}

PullOutRun::PullOutRun(const AnalysisParameters& parameters, RunObserver& observer, LawEntries law)
    : p_(parameters),
      observer_(observer),
      law_(std::move(law)),
      sectionSink_([this](std::span<const SectionRow> rows) { observer_.sectionsComputed(rows); }) {
}

void PullOutRun::prepare(const RunLaw& law) {
  tauMax_ = std::visit([](const auto& l) { return l.peak(); }, law);
  residual_ = std::visit([](const auto& l) { return residualOf(l); }, law);
  // Allocated once for steps 1 … 10000 and filled step by step; index 0 is never a step.
  slipHistory_ = std::make_unique_for_overwrite<double[]>(kMaxSteps + 1);
  tauAvgHistory_ = std::make_unique_for_overwrite<double[]>(kMaxSteps + 1);
  slipHistory_[0] = tauAvgHistory_[0] = 0;
  march_.emplace(law, p_);
  geometry_ = march_->geometry();
  requireFinite(p_.initialDs, "initial ds");

  s0_ = kFirstFreeEndSlip;
  ds_ = p_.initialDs;
  step_ = 0;
  tauAvgPrev_ = tauAvgMax_ = PMax_ = 0;
  pastPeak_ = false;
}

PullOutRun::Outcome PullOutRun::run() {
  prepare(formRunLaw(law_, p_));
  observer_.runStarted({tauMax_, geometry_.segmentCount, geometry_.displayStride, ds_, p_.deltaL});
  for (;;) {
    ++step_;
    if (observer_.stopRequested(step_)) {
      observer_.runStopped(step_);
      return Outcome::Stopped;
    }
    if (step_ > kMaxSteps) throwStepLimit();
    observer_.stepStarted(step_, s0_, ds_);
    static const SectionMarch::RowSink kNoRows;
    const auto [slip, force] =
        march_->march(s0_, step_, observer_.needsSections(step_) ? sectionSink_ : kNoRows);
    if (finishStep(slip, force)) {
      observer_.runFinished(last_);
      return Outcome::Finished;
    }
  }
}

bool PullOutRun::finishStep(double loadedEndSlip, double loadedEndForce) {
  const float dsAtStart = ds_;
  const bool onResidual = residual_ && s0_ > residual_->from;
  const double P = loadedEndForce;
  const double tauAvg = P / bondedSurface(*march_);
  if (!std::isfinite(tauAvg))
    throw ArithmeticError(ArithmeticError::Kind::Overflow,
                          "the average bond stress P / (segmentCount·Δl·φ)",
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
  return tauAvg == 0 || onResidual;
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
  observer_.slipIncrementChanged(ds_);
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

}  // namespace kvt
