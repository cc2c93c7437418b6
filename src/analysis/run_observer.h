// SPDX-License-Identifier: MIT
#pragma once

#include <span>
#include <vector>

#include "run_records.h"

namespace kvt {

// Receives a run's hand-over points, in this order:
//   runStarted, then per step: stopRequested, stepStarted, sectionsComputed, stepFinished,
//   tauSlipPoint, and yieldPoint after every fifth step; finally runFinished (normal end) or
//   runStopped (a stop request). A fault propagates as an exception instead.
// The sections of a step arrive in chunks, in order of i, once the march has passed them; after
// a fault in the middle of a march, the sections before the faulting one are still handed over.
// They are formed only for a step in which some observer `needsSections`: a run that nobody
// watches section by section marches without writing them.
// The run never writes into its parameters: each change of the slip increment is told through
// `slipIncrementChanged`, for a window that shows it as the current increment.
class RunObserver {
 public:
  virtual ~RunObserver() = default;
  virtual void runStarted(const RunStart& start) { (void)start; }
  // Asked at the start of every step, after the step counter is raised; true ends the run.
  virtual bool stopRequested(int step) { return (void)step, false; }
  virtual void stepStarted(int step, double s0, float ds) { (void)step, (void)s0, (void)ds; }
  // Asked once per step, after stepStarted: whether this observer wants the step's sections.
  virtual bool needsSections(int step) const { return (void)step, true; }
  virtual void sectionsComputed(std::span<const SectionRow> rows) { (void)rows; }
  virtual void stepFinished(const StepResult& result) { (void)result; }
  virtual void tauSlipPoint(const TauSlipPoint& point) { (void)point; }
  // After every fifth step: the moment to let the user interface breathe.
  virtual void yieldPoint(int step) { (void)step; }
  virtual void runFinished(const StepResult& last) { (void)last; }
  virtual void runStopped(int step) { (void)step; }
  // The slip increment ds has changed (doubled, or grown by 2 %); the next step starts with it.
  virtual void slipIncrementChanged(float ds) { (void)ds; }
};

// Hands every point to several observers, in the order they were added.
class ObserverList : public RunObserver {
 public:
  void add(RunObserver& observer) { observers_.push_back(&observer); }

  void runStarted(const RunStart& start) override;
  bool stopRequested(int step) override;
  void stepStarted(int step, double s0, float ds) override;
  bool needsSections(int step) const override;
  void sectionsComputed(std::span<const SectionRow> rows) override;
  void stepFinished(const StepResult& result) override;
  void tauSlipPoint(const TauSlipPoint& point) override;
  void yieldPoint(int step) override;
  void runFinished(const StepResult& last) override;
  void runStopped(int step) override;
  void slipIncrementChanged(float ds) override;

 private:
  std::vector<RunObserver*> observers_;
};

}  // namespace kvt
