// SPDX-License-Identifier: MIT
//
// Data export for spreadsheets and scripts: the load–slip response of every step, and the
// distribution along the bar at chosen steps, as comma-separated text (ASCII, hence UTF-8)
// with CR LF line ends. Numbers are written in their shortest round-trip form, so reading them
// back gives the run's doubles exactly.
#pragma once

#include <set>
#include <span>
#include <string>
#include <vector>

#include "analysis/run_observer.h"
#include "units.h"

namespace kvt {

// One step of the load–slip response.
struct LoadSlipRow {
  int step = 0;
  double s0 = 0;              // free-end slip, cm
  double loadedEndSlip = 0;   // cm
  double loadedEndForce = 0;  // kgf
  double tauAvg = 0;          // average bond stress, kgf/cm²
};

// A step's row of the load–slip response.
LoadSlipRow loadSlipRow(const StepResult& result);

// Collects the load–slip response of a run, step by step.
class LoadSlipHistory : public RunObserver {
 public:
  void runStarted(const RunStart& start) override;
  bool needsSections(int step) const override { return (void)step, false; }
  void stepFinished(const StepResult& result) override;
  const RunStart& start() const { return start_; }
  const std::vector<LoadSlipRow>& rows() const { return rows_; }

 private:
  RunStart start_;
  std::vector<LoadSlipRow> rows_;
};

// Collects the distribution along the bar (every section) at the chosen steps.
class ProfileCapture : public RunObserver {
 public:
  explicit ProfileCapture(std::set<int> steps) : steps_(std::move(steps)) {}
  void runStarted(const RunStart& start) override;
  void stepStarted(int step, double s0, float ds) override;
  bool needsSections(int step) const override { return steps_.contains(step); }
  void sectionsComputed(std::span<const SectionRow> rows) override;
  void stepFinished(const StepResult& result) override;

  struct Profile {
    int step = 0;
    std::vector<SectionRow> sections;
  };
  // The finished profiles, in order of step.
  const std::vector<Profile>& profiles() const { return profiles_; }

 private:
  std::set<int> steps_;
  std::vector<Profile> profiles_;
  Profile current_;
  bool capturing_ = false;
};

// In kgf-cm the run's doubles are written as they are; in SI each is converted once, by one
// multiplication, and the headers name the units ("loaded-end force (kN)").
std::string loadSlipCsv(std::span<const LoadSlipRow> rows, UnitSystem units = UnitSystem::KgfCm);
std::string profileCsv(const ProfileCapture::Profile& profile,
                       UnitSystem units = UnitSystem::KgfCm);

// The shortest text that reads back as exactly this double ("0.1", "1e-10").
std::string roundTripText(double value);

}  // namespace kvt
