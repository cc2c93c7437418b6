// SPDX-License-Identifier: MIT
#include "run_observer.h"

namespace kvt {

void ObserverList::runStarted(const RunStart& start) {
  for (RunObserver* o : observers_)
    o->runStarted(start);
}

bool ObserverList::stopRequested(int step) {
  bool stop = false;
  for (RunObserver* o : observers_)
    stop = o->stopRequested(step) || stop;
  return stop;
}

void ObserverList::stepStarted(int step, double s0, float ds) {
  for (RunObserver* o : observers_)
    o->stepStarted(step, s0, ds);
}

bool ObserverList::needsSections(int step) const {
  bool needed = false;
  for (const RunObserver* o : observers_)
    needed = o->needsSections(step) || needed;
  return needed;
}

void ObserverList::sectionsComputed(std::span<const SectionRow> rows) {
  for (RunObserver* o : observers_)
    o->sectionsComputed(rows);
}

void ObserverList::stepFinished(const StepResult& result) {
  for (RunObserver* o : observers_)
    o->stepFinished(result);
}

void ObserverList::tauSlipPoint(const TauSlipPoint& point) {
  for (RunObserver* o : observers_)
    o->tauSlipPoint(point);
}

void ObserverList::yieldPoint(int step) {
  for (RunObserver* o : observers_)
    o->yieldPoint(step);
}

void ObserverList::runFinished(const StepResult& last) {
  for (RunObserver* o : observers_)
    o->runFinished(last);
}

void ObserverList::runStopped(int step) {
  for (RunObserver* o : observers_)
    o->runStopped(step);
}

void ObserverList::slipIncrementChanged(float ds) {
  for (RunObserver* o : observers_)
    o->slipIncrementChanged(ds);
}

}  // namespace kvt
