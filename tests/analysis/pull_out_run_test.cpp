// SPDX-License-Identifier: MIT
#include "analysis/pull_out_run.h"

#include <gtest/gtest.h>

#include <ostream>

#include <string>
#include <vector>

#include "analysis/analysis_error.h"
#include "params/format_number.h"
#include "support/committed_defaults.h"

namespace kvt {
namespace {

using kvt::testing::committedBilinear;
using kvt::testing::committedDefaults;

// Keeps everything a run hands over, and can ask the run to stop at a given step.
class Recorder : public RunObserver {
 public:
  int stopAtStep = 0;
  RunStart start;
  std::vector<std::string> events;  // one word per hand-over, for checking the order
  std::vector<StepResult> results;
  std::vector<std::vector<SectionRow>> sections;  // per step
  std::vector<float> dsAtStart;
  float lastDs = 0;  // the last increment told through slipIncrementChanged
  int finished = 0;
  int stoppedAt = 0;
  int lastPointStep = 0;
  bool historiesMatch = true;

  void runStarted(const RunStart& s) override {
    start = s;
    events.push_back("start");
  }
  bool stopRequested(int step) override {
    events.push_back("stop?");
    return step == stopAtStep;
  }
  void stepStarted(int, double, float ds) override {
    events.push_back("step");
    dsAtStart.push_back(ds);
    sections.emplace_back();
  }
  void sectionsComputed(std::span<const SectionRow> rows) override {
    events.push_back("sections");
    sections.back().insert(sections.back().end(), rows.begin(), rows.end());
  }
  void stepFinished(const StepResult& r) override {
    events.push_back("result");
    results.push_back(r);
  }
  void tauSlipPoint(const TauSlipPoint& p) override {
    events.push_back("point");
    lastPointStep = p.step;
    historiesMatch = historiesMatch &&
                     p.slipHistory.size() == static_cast<std::size_t>(p.step) + 1 &&
                     p.slipHistory[static_cast<std::size_t>(p.step)] == p.slip &&
                     p.tauAvgHistory[static_cast<std::size_t>(p.step)] == p.tauAvg &&
                     p.slip == results.back().loadedEndSlip;
  }
  void yieldPoint(int step) override { events.push_back("yield" + std::to_string(step)); }
  void runFinished(const StepResult&) override {
    events.push_back("finished");
    ++finished;
  }
  void runStopped(int step) override {
    events.push_back("stopped");
    stoppedAt = step;
  }
  void slipIncrementChanged(float ds) override { lastDs = ds; }
};

std::string e3(double v) {
  return formatNumber(v, "0.000e+00");
}

class DefaultRun : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    params_ = committedDefaults();
    PullOutRun run(params_, recorder_);
    outcome_ = run.run();
  }
  static AnalysisParameters params_;
  static Recorder recorder_;
  static PullOutRun::Outcome outcome_;
};
AnalysisParameters DefaultRun::params_;
Recorder DefaultRun::recorder_;
PullOutRun::Outcome DefaultRun::outcome_;

TEST_F(DefaultRun, StartsAtATinySlipAndDoublesTheIncrementTwice) {
  const auto& r = recorder_.results;
  ASSERT_GE(r.size(), 3u);
  EXPECT_EQ(recorder_.start.segmentCount, 31);
  EXPECT_NEAR(recorder_.start.tauMax, 115.05, 0.005);
  EXPECT_EQ(r[0].s0, 1e-10);
  EXPECT_EQ(e3(r[0].loadedEndSlip), "7.713e-10");
  EXPECT_EQ(e3(r[0].loadedEndForce), "2.744e-04");
  EXPECT_EQ(e3(r[0].tauAvg), "3.405e-06");
  EXPECT_EQ(recorder_.dsAtStart[0], 0.00001f);
  EXPECT_EQ(recorder_.dsAtStart[1], 0.00002f);  // doubled after step 1
  EXPECT_EQ(e3(r[1].s0), "2.000e-05");
  EXPECT_EQ(formatNumber(r[1].loadedEndSlip, "0.0000e+00"), "1.5427e-04");
  EXPECT_NEAR(r[1].loadedEndForce, 54.882, 0.0005);
  EXPECT_NEAR(r[1].tauAvg, 0.68092, 0.000005);
  EXPECT_EQ(recorder_.dsAtStart[2], 0.00004f);  // doubled after step 2
  EXPECT_EQ(recorder_.dsAtStart[3], 0.00004f);  // step 3 does not double
}

TEST_F(DefaultRun, ReachesThePeakAtStep251AndEndsAtStep432) {
  const auto& r = recorder_.results;
  ASSERT_EQ(r.size(), 432u);
  EXPECT_EQ(outcome_, PullOutRun::Outcome::Finished);
  EXPECT_EQ(recorder_.finished, 1);
  const StepResult& peak = r[250];
  EXPECT_EQ(peak.step, 251);
  EXPECT_EQ(peak.tauAvg, peak.tauAvgMax);
  EXPECT_EQ(peak.loadedEndForce, peak.PMax);
  EXPECT_EQ(r[249].tauAvgMax, r[249].tauAvg);
  EXPECT_LT(r[251].tauAvg, peak.tauAvg);
  EXPECT_EQ(formatNumber(peak.tauAvgMax, "##0.00"), "96.75");
  EXPECT_EQ(formatNumber(peak.PMax, "####0.00"), "7798.40");
  EXPECT_NEAR(peak.s0, 0.009989, 0.0000005);
  EXPECT_NEAR(peak.loadedEndSlip, 0.04155, 0.000005);
  const StepResult& last = r.back();
  EXPECT_EQ(last.step, 432);
  EXPECT_EQ(last.loadedEndForce, 0.0);
  EXPECT_EQ(last.tauAvg, 0.0);
  EXPECT_EQ(last.loadedEndSlip, last.s0);
  EXPECT_EQ(last.PMax, peak.PMax);
  EXPECT_EQ(last.tauAvgMax, peak.tauAvgMax);
}

TEST_F(DefaultRun, HandsOverInTheFixedOrderAndYieldsEveryFifthStep) {
  const auto& e = recorder_.events;
  const std::vector<std::string> firstSteps = {"start",    "stop?",  "step",
                                               "sections", "result", "point"};
  ASSERT_GT(e.size(), 40u);
  EXPECT_EQ(std::vector<std::string>(e.begin(), e.begin() + 6), firstSteps);
  int yields = 0;
  for (std::size_t k = 0; k < e.size(); ++k)
    if (e[k].rfind("yield", 0) == 0) {
      ++yields;
      EXPECT_EQ(e[k - 1], "point");
      EXPECT_EQ(e[k], "yield" + std::to_string(5 * yields));
    }
  EXPECT_EQ(yields, 432 / 5);
  EXPECT_EQ(e.back(), "finished");
  EXPECT_TRUE(recorder_.historiesMatch);
  EXPECT_EQ(recorder_.lastPointStep, 432);
}

TEST_F(DefaultRun, IncrementGrowsOnlyAndIsToldAtEveryChange) {
  const auto& ds = recorder_.dsAtStart;
  for (std::size_t k = 1; k < ds.size(); ++k)
    EXPECT_GE(ds[k], ds[k - 1]) << k;
  // The last change told is the increment that would have led to step 433; the record itself
  // is only read.
  EXPECT_EQ(recorder_.lastDs, static_cast<float>(1.02 * static_cast<double>(ds.back())));
  EXPECT_EQ(params_.initialDs, 0.00001f);
  // s0 of each step is the previous one plus the increment shown at the step's start.
  for (std::size_t k = 1; k < ds.size(); ++k)
    EXPECT_EQ(recorder_.results[k].s0, recorder_.results[k - 1].s0 + static_cast<double>(ds[k]));
}

TEST_F(DefaultRun, SectionsPairEachSectionWithTheStressOfTheSectionBefore) {
  const auto& rows = recorder_.sections[250];
  ASSERT_EQ(rows.size(), 31u);
  const BondLaw law(committedDefaults());
  EXPECT_EQ(rows[0].tau, law.stress(recorder_.results[250].s0));
  for (std::size_t k = 1; k < rows.size(); ++k) {
    EXPECT_EQ(rows[k].i, static_cast<int>(k) + 1);
    EXPECT_EQ(rows[k].tau, law.stress(rows[k - 1].sNext));
  }
  EXPECT_EQ(rows.back().x, 31 * static_cast<double>(0.65f));
  EXPECT_EQ(rows.back().PNext, recorder_.results[250].loadedEndForce);
}

std::vector<int> displayedSections(float lb, float deltaL) {
  AnalysisParameters p = committedDefaults();
  p.lb = lb;
  p.deltaL = deltaL;
  Recorder r;
  r.stopAtStep = 2;
  PullOutRun(p, r).run();
  std::vector<int> shown;
  for (const SectionRow& row : r.sections.at(0))
    if (row.displayRow >= 0) {
      EXPECT_EQ(row.displayRow, static_cast<int>(shown.size()));
      shown.push_back(row.i);
    }
  return shown;
}

TEST(PullOutRun, ShowsEveryDisplayStrideThSectionAtMostTenPerStep) {
  EXPECT_EQ(displayedSections(20, 0.65f), (std::vector<int>{4, 8, 12, 16, 20, 24, 28}));
  EXPECT_EQ(displayedSections(20, 0.5f), (std::vector<int>{4, 8, 12, 16, 20, 24, 28, 32, 36, 40}));
  EXPECT_EQ(displayedSections(2.5f, 0.5f), (std::vector<int>{1, 2, 3, 4, 5}));
  EXPECT_EQ(displayedSections(20, 0.001f).size(), 10u);
}

TEST(PullOutRun, BilinearRunEndsAtStep141OnThePlateau) {
  AnalysisParameters p = committedBilinear();
  Recorder r;
  PullOutRun run(p, r);
  EXPECT_EQ(run.run(), PullOutRun::Outcome::Finished);
  ASSERT_EQ(r.results.size(), 141u);
  EXPECT_EQ(formatNumber(r.results.back().tauAvgMax, "##0.00"), "50.00");
  EXPECT_EQ(formatNumber(r.results.back().PMax, "####0.0"), "4030.0");
}

TEST(PullOutRun, AStopRequestEndsTheRunBeforeTheStepIsComputed) {
  AnalysisParameters p = committedDefaults();
  Recorder r;
  r.stopAtStep = 7;
  EXPECT_EQ(PullOutRun(p, r).run(), PullOutRun::Outcome::Stopped);
  EXPECT_EQ(r.results.size(), 6u);
  EXPECT_EQ(r.stoppedAt, 7);
  EXPECT_EQ(r.events.back(), "stopped");
  EXPECT_EQ(r.events[r.events.size() - 2], "stop?");
  EXPECT_EQ(r.finished, 0);
}

// Where a fault ends the run: before the first step, or inside step 1.
struct FaultCase {
  const char* what;
  void (*change)(AnalysisParameters&);
  bool started;               // runStarted was handed over
  std::size_t sectionsShown;  // sections of step 1 handed over before the fault
  const char* named;
  friend std::ostream& operator<<(std::ostream& os, const FaultCase& c) { return os << c.what; }
};

class PullOutRunFault : public ::testing::TestWithParam<FaultCase> {};

TEST_P(PullOutRunFault, EndsTheRunWithAnArithmeticError) {
  const FaultCase& c = GetParam();
  AnalysisParameters p = committedDefaults();
  c.change(p);
  Recorder r;
  try {
    PullOutRun(p, r).run();
    FAIL() << c.what << ": no error";
  } catch (const ArithmeticError& e) {
    EXPECT_NE(std::string(e.what()).find(c.named), std::string::npos) << e.what();
  }
  EXPECT_EQ(!r.events.empty() && r.events[0] == "start", c.started) << c.what;
  EXPECT_TRUE(r.results.empty()) << c.what;
  if (c.started) {
    ASSERT_EQ(r.sections.size(), 1u) << c.what;
    EXPECT_EQ(r.sections[0].size(), c.sectionsShown) << c.what;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PullOutRunFault,
    ::testing::Values(
        FaultCase{"db = 0", [](AnalysisParameters& p) { p.db = 0; }, false, 0, "db"},
        FaultCase{"Δl = 0", [](AnalysisParameters& p) { p.deltaL = 0; }, false, 0, "Δl"},
        FaultCase{"lb = 3e6", [](AnalysisParameters& p) { p.lb = 3e6f; }, false, 0, "lb·1000"},
        FaultCase{"lb = 0", [](AnalysisParameters& p) { p.lb = 0; }, true, 0, "no segment"},
        FaultCase{"φ = 0", [](AnalysisParameters& p) { p.phi = 0; }, true, 31, "φ = 0"},
        FaultCase{"Es = 0", [](AnalysisParameters& p) { p.Es = 0; }, true, 0, "Es·Ab is zero"},
        FaultCase{"Ab = 0", [](AnalysisParameters& p) { p.Ab = 0; }, true, 0, "Es·Ab is zero"},
        FaultCase{"φ = ∞", [](AnalysisParameters& p) { p.phi = HUGE_VALF; }, false, 0, "φ"},
        FaultCase{"β = 0", [](AnalysisParameters& p) { p.beta = 0; }, false, 0, "β·db"},
        FaultCase{"ru = 0", [](AnalysisParameters& p) { p.ru = 0; }, false, 0, "ru is zero"},
        FaultCase{"Es·Ab beyond single", [](AnalysisParameters& p) { p.Es = 1e30f, p.Ab = 1e10f; },
                  false, 0, "Es·Ab"}));

// Every fault the entries alone decide is found before the run, in the run's own words.
TEST_P(PullOutRunFault, IsRefusedBeforeTheRunInTheRunsWords) {
  const FaultCase& c = GetParam();
  AnalysisParameters p = committedDefaults();
  c.change(p);
  Recorder r;
  std::string duringRun, beforeRun;
  try {
    PullOutRun(p, r).run();
  } catch (const AnalysisError& e) {
    duringRun = e.what();
  }
  try {
    PullOutRun::checkBeforeRun(p);
  } catch (const AnalysisError& e) {
    beforeRun = e.what();
  }
  EXPECT_FALSE(beforeRun.empty()) << c.what;
  EXPECT_EQ(beforeRun, duringRun) << c.what;
}

TEST(PullOutRun, CheckBeforeRunPassesWhatRunsAndRefusesANegativeBar) {
  EXPECT_NO_THROW(PullOutRun::checkBeforeRun(committedDefaults()));
  EXPECT_NO_THROW(PullOutRun::checkBeforeRun(committedBilinear()));
  AnalysisParameters p = committedDefaults();
  p.lb = -20;
  EXPECT_THROW(PullOutRun::checkBeforeRun(p), ParameterError);
}

TEST(PullOutRun, ANeverFallingBranchOverflowsTheIncrementNearStep5280) {
  AnalysisParameters p = committedDefaults();
  p.k2 = 0;
  Recorder r;
  try {
    PullOutRun(p, r).run();
    FAIL() << "no error";
  } catch (const ArithmeticError& e) {
    EXPECT_EQ(e.kind(), ArithmeticError::Kind::Overflow);
    EXPECT_NE(std::string(e.what()).find("slip increment"), std::string::npos) << e.what();
  }
  EXPECT_EQ(r.results.size(), 5280u);
}

TEST(PullOutRun, ARisingBranchStopsAtTheStepLimit) {
  AnalysisParameters p = committedDefaults();
  p.k2 = -300;
  Recorder r;
  PullOutRun run(p, r);
  EXPECT_THROW(run.run(), StepLimitError);
  EXPECT_EQ(r.results.size(), 10000u);
  EXPECT_EQ(r.lastPointStep, 10000);
  EXPECT_EQ(run.step(), 10001);
}

}  // namespace
}  // namespace kvt
