// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "params/analysis_parameters.h"
#include "run_law.h"
#include "run_observer.h"
#include "run_records.h"
#include "section_march.h"
#include "segment_geometry.h"

namespace kvt {

// One pull-out analysis. Each step fixes the free-end slip s0 and marches from the free end to
// the loaded end, segment by segment: the bond force of a segment comes from the bond law at its
// start section, and the slip grows by the bar's elongation under the segment's mean force. The
// step gives one point of the loaded end's load–slip response. s0 grows by an increment ds that
// doubles while the response is still flat and low, and grows by 2 % per step once the average
// bond stress has passed its peak; the run ends when the average bond stress is exactly zero.
//
// The parameters are only read, so any number of runs may share one record or run side by side
// on copies. Every change of ds is told to the observer (`slipIncrementChanged`); the desktop
// program writes it back into the record's `initialDs`, where the analysis window shows it.
//
// The bond law is kvt's own unless another is given. A law that holds a residual stress beyond
// its last kink (MC2010's τbf, a table's last value) never brings the average bond stress to
// zero; its run ends at the first step whose free end has slipped past that kink, where every
// section carries the residual stress and every later step would repeat this one.
class PullOutRun {
 public:
  static constexpr int kMaxSteps = 10000;

  enum class Outcome { Finished, Stopped };

  // Step 1 is computed at this free-end slip rather than 0: at zero slip the law gives zero
  // stress everywhere, the average bond stress would be exactly zero and the run would end
  // before it began.
  static constexpr double kFirstFreeEndSlip = 1e-10;

  PullOutRun(const AnalysisParameters& parameters, RunObserver& observer,
             LawEntries law = KvtLawEntries{});

  // Throws what `run` would throw before it starts or at step 1 for a fault that the entries
  // alone decide: a bond law that cannot be formed (db = 0, β·db = 0, ru = 0, an entry beyond
  // the single range), a bar without segments, φ = 0, a stiffness Es·Ab of zero or beyond the
  // single range, a negative length. A caller asks before it opens windows or files, so that a
  // run bound to fail touches nothing; the message is the run's own. Costs one law and one
  // segment, never a march along the bar.
  static void checkBeforeRun(const AnalysisParameters& parameters,
                             const LawEntries& law = KvtLawEntries{});

  // Finds tauMax, prepares the run and marches step by step to its end. Throws
  // `ArithmeticError` on a fault, `ParameterError` for a bar of negative length before the run
  // starts, and `StepLimitError` when step 10001 would be needed.
  Outcome run();

  // Run state, for observers and tests.
  double tauMax() const { return tauMax_; }
  const SegmentGeometry& geometry() const { return geometry_; }
  const AnalysisParameters& parameters() const { return p_; }
  const LawEntries& law() const { return law_; }
  int step() const { return step_; }
  double s0() const { return s0_; }
  float ds() const { return ds_; }
  double tauAvgMax() const { return tauAvgMax_; }
  double PMax() const { return PMax_; }
  const StepResult& lastResult() const { return last_; }

 private:
  void prepare(const RunLaw& law);
  // Steps 5 to 16 of a step; true when the run has reached its normal end.
  bool finishStep(double loadedEndSlip, double loadedEndForce);
  void setDs(double value, const char* rule);
  [[noreturn]] void throwStepLimit() const;

  const AnalysisParameters& p_;
  RunObserver& observer_;
  LawEntries law_;

  SegmentGeometry geometry_;
  double tauMax_ = 0;
  double s0_ = kFirstFreeEndSlip;
  float ds_ = 0;
  int step_ = 0;
  double tauAvgPrev_ = 0;
  double tauAvgMax_ = 0;
  double PMax_ = 0;
  bool pastPeak_ = false;
  std::optional<Residual> residual_;
  std::unique_ptr<double[]> slipHistory_;
  std::unique_ptr<double[]> tauAvgHistory_;

  std::optional<SectionMarch> march_;
  SectionMarch::RowSink sectionSink_;
  StepResult last_;
};

}  // namespace kvt
