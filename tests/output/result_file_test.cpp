// SPDX-License-Identifier: MIT
#include "output/result_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "analysis/analysis_error.h"
#include "analysis/pull_out_run.h"
#include "report_reading.h"
#include "support/committed_defaults.h"
#include "support/fixed_clock.h"
#include "support/golden_file.h"
#include "support/temp_dir.h"

namespace kvt {
namespace {

using testing::committedDefaults;
using testing::FixedClock;
using testing::readBytes;
using testing::reportLines;

std::string goldenPath(const std::string& name) {
  const char* data = std::getenv("KVT_TEST_DATA");
  return std::string(data != nullptr ? data : ".") + "/golden/" + name;
}

// Runs the analysis with a result file in a fresh current directory and returns the file's bytes.
struct ReportRun {
  explicit ReportRun(AnalysisParameters p, RunObserver* extra = nullptr)
      : parameters(std::move(p)) {
    testing::Cwd cwd(dir.path());
    ResultFile file(parameters, clock);
    ObserverList observers;
    observers.add(file);
    if (extra != nullptr) observers.add(*extra);
    PullOutRun run(parameters, observers);
    outcome = run.run();
    steps = run.step();
    bytes = readBytes(dir.file(file.path()));
  }
  testing::TempDir dir;
  FixedClock clock;
  AnalysisParameters parameters;
  PullOutRun::Outcome outcome{};
  int steps = 0;
  std::string bytes;
};

struct GoldenCase {
  std::int16_t detailOutput;
  const char* golden;
  std::size_t lines;
};

class DefaultRunReport : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(DefaultRunReport, MatchesTheCheckedFileByteForByte) {
  AnalysisParameters p = committedDefaults();
  p.detailOutput = GetParam().detailOutput;
  const ReportRun run(p);
  ASSERT_EQ(run.steps, 432);
  EXPECT_EQ(reportLines(run.bytes).size(), GetParam().lines);
  EXPECT_TRUE(testing::matchesGoldenFile(run.bytes, goldenPath(GetParam().golden)));
}

TEST(GoldenFile, NamesTheFirstDifferingLine) {
  EXPECT_EQ(testing::firstDifference("a\r\nb\r\n", "a\r\nb\r\n"), "");
  EXPECT_EQ(testing::firstDifference("a\r\nb\r\nc\r\n", "a\r\nB\r\nc\r\n"),
            "line 2 differs:\n  expected \"b\"\n  actual   \"B\"");
  EXPECT_EQ(testing::firstDifference("a\r\n", "a\r\n\x83\xD1\r\n"),
            "line 2 differs:\n  expected (the end of the file)\n  actual   \"τ\"");
}

INSTANTIATE_TEST_SUITE_P(DetailOutput, DefaultRunReport,
                         ::testing::Values(GoldenCase{0, "default-summary.t-s", 436},
                                           GoldenCase{1, "default-detail.t-s", 15123}),
                         [](const ::testing::TestParamInfo<GoldenCase>& goldenCase) {
                           return std::string(goldenCase.param.detailOutput ? "Detail" : "Summary");
                         });

TEST(ResultFileHeader, ShowsOriginDateParametersAndPeak) {
  testing::TempDir dir;
  testing::Cwd cwd(dir.path());
  AnalysisParameters p = committedDefaults();
  p.db = 1.27f;
  p.ru = 0.3f;
  FixedClock clock;
  std::string name;
  {
    ResultFile file(p, clock);
    file.runStarted(RunStart{115.05, 31, 1, 1e-5f, 0.65f});
    file.closeResultFile();
    name = file.path();
  }
  const std::string bytes = readBytes(dir.file("default.t-s"));
  const auto lines = reportLines(bytes);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "τ-s relationship created by DORNE1, KVT file = , at 12-07-2026, 13:05:42");
  EXPECT_EQ(lines[1], "db = 1.27   ru = 0.3   lb = 20   cotα = 1.48   β = 102   Δl = 0.65 ");
  EXPECT_EQ(lines[2], "τb.max =115.05kgf/c㎡");
  EXPECT_EQ(lines[3], "s.loaded end(cm) P.loaded end(kgf) totalτ(kgf/c㎡)");
  // Windows-31J bytes, not a Unicode encoding: τ is 83 D1, ㎡ is 87 75.
  EXPECT_EQ(bytes.substr(0, 2), "\x83\xD1");
  EXPECT_NE(bytes.find("kgf/c\x87\x75\r\n"), std::string::npos);
  EXPECT_EQ(name, "default.t-s");
  EXPECT_EQ(p.resultFilePath, "") << "the writer only reads the record";
}

TEST(ResultFileHeader, NamesTheParameterFileAndOmitsTheTableHeaderInDetailMode) {
  testing::TempDir dir;
  AnalysisParameters p = committedDefaults();
  p.detailOutput = 1;
  p.parameterFilePath = dir.file("梁1.kvt");
  p.resultFilePath = p.parameterFilePath;
  FixedClock clock;
  std::string name;
  {
    ResultFile file(p, clock);
    file.runStarted(RunStart{96.0, 31, 1, 1e-5f, 0.65f});
    file.closeResultFile();
    name = file.path();
  }
  EXPECT_EQ(name, dir.file("梁1.T-S"));
  const auto lines = reportLines(readBytes(name));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "τ-s relationship created by DORNE1, KVT file = " + dir.file("梁1.kvt") +
                          ", at 12-07-2026, 13:05:42");
  EXPECT_EQ(lines[2], "τb.max =96.00kgf/c㎡");
}

// A Linux file name may hold a line break; the report's first line stays one line.
TEST(ResultFileHeader, ALineBreakInTheParameterFileNameKeepsTheLayout) {
  testing::TempDir dir;
  testing::Cwd cwd(dir.path());
  AnalysisParameters p = committedDefaults();
  p.parameterFilePath = dir.file("beam\r\n1\n.kvt");
  FixedClock clock;
  {
    ResultFile file(p, clock);
    file.runStarted(RunStart{96.0, 31, 1, 1e-5f, 0.65f});
    file.closeResultFile();
  }
  const auto lines = reportLines(readBytes(dir.file("default.t-s")));
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_NE(lines[0].find("beam??1?.kvt, at"), std::string::npos) << lines[0];
}

// Rows written through the observer calls, as a run hands them over.
TEST(ResultFileRows, KeepTheirColumns) {
  testing::TempDir dir;
  testing::Cwd cwd(dir.path());
  AnalysisParameters p = committedDefaults();
  p.detailOutput = 1;
  FixedClock clock;
  {
    ResultFile file(p, clock);
    file.runStarted(RunStart{115.05, 2, 1, 1e-5f, 0.65f});
    file.stepStarted(1, 1e-10, 1e-5f);
    const SectionRow rows[] = {{1, 0.65, 0.00015, 2.722, 1.05, 0}, {2, 1.3, 0.0002, 3.5, 0, 1}};
    file.sectionsComputed(rows);
    StepResult result;
    result.step = 1;
    result.loadedEndSlip = 1.234e-4;
    result.loadedEndForce = 12.5;
    result.tauAvg = 0.15;
    file.stepFinished(result);
    result.tauAvg = 123456.789;
    file.stepFinished(result);
    file.closeResultFile();
  }
  const auto lines = reportLines(readBytes(dir.file("default.t-s")));
  const std::vector<std::string> expected = {
      "step =00001",
      "   x(cm)      s(cm)     P(kgf) τ(kgf/c㎡)",
      "    0.65  1.500e-04  2.722e+00      1.05",
      "    1.30  2.000e-04  3.500e+00      0.00",
      "s.loaded end(cm) P.loaded end(kgf) totalτ(kgf/c㎡)",
      "   1.234e-04       1.250e+01            0.15",
      "s.loaded end(cm) P.loaded end(kgf) totalτ(kgf/c㎡)",
      // wider than its column, written whole rather than losing the leading digit
      "   1.234e-04       1.250e+01        123456.79",
  };
  ASSERT_EQ(lines.size(), 3 + expected.size());
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 3, lines.end()), expected);
}

TEST(ResultFileName, IsDerivedFromTheStoredPath) {
  struct Case {
    const char* stored;
    const char* name;
  };
  const Case cases[] = {
      {"", "default.t-s"},
      {"C:\\data\\beam1.kvt", "C:\\data\\beam1.T-S"},
      {"/home/eng/beam1.kvt", "/home/eng/beam1.T-S"},
      {"mydata", "mydT-S"},
      {"default.t-s", "default.T-S"},
      {"beam1.T-S", "beam1.T-S"},
      {"ab", "abT-S"},
      {"a", "aT-S"},
      {"abc", "T-S"},
      {"試験体.kvt", "試験体.T-S"},
      {"試験体", "T-S"},
      // A byte outside any well-formed character is a character of its own: stray continuation
      // bytes, a cut-off sequence, an overlong form.
      {"n/x\x80\x80\x80", "n/xT-S"},
      {"ab\xE6\xA2", "aT-S"},
      {"n/\xC0\xAFx", "n/T-S"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(resultFileName(c.stored), c.name) << c.stored;
}

TEST(ResultFileName, SecondRunDerivesFromTheFirstRunsName) {
  testing::TempDir dir;
  testing::Cwd cwd(dir.path());
  AnalysisParameters p = committedDefaults();
  FixedClock clock;
  // The caller keeps the chosen name in the record, as the desktop program does.
  for (int run = 0; run < 2; ++run) {
    ResultFile file(p, clock);
    file.runStarted(RunStart{115.05, 31, 1, 1e-5f, 0.65f});
    file.closeResultFile();
    p.resultFilePath = file.path();
  }
  EXPECT_EQ(p.resultFilePath, "default.T-S");
  EXPECT_FALSE(readBytes(dir.file("default.t-s")).empty());
  EXPECT_FALSE(readBytes(dir.file("default.T-S")).empty());
}

// Ends the run at a chosen step's stop query.
class StopAt : public RunObserver {
 public:
  explicit StopAt(int step) : step_(step) {}
  bool stopRequested(int step) override { return step >= step_; }

 private:
  int step_;
};

TEST(ResultFileEnd, StoppedRunKeepsTheCompleteBlocksOfFinishedSteps) {
  AnalysisParameters p = committedDefaults();
  p.detailOutput = 1;
  StopAt stop(10);
  const ReportRun run(p, &stop);
  EXPECT_EQ(run.outcome, PullOutRun::Outcome::Stopped);
  const auto lines = reportLines(run.bytes);
  ASSERT_EQ(lines.size(), 3u + 9u * 35u);
  EXPECT_EQ(lines[lines.size() - 35], "step =00009");
}

TEST(ResultFileEnd, ArithmeticFaultLeavesTheLinesWrittenBeforeIt) {
  AnalysisParameters p = committedDefaults();
  p.k2 = 0;  // the softening branch never returns to zero: ds doubles until it overflows
  testing::TempDir dir;
  testing::Cwd cwd(dir.path());
  FixedClock clock;
  ResultFile file(p, clock);
  PullOutRun run(p, file);
  EXPECT_THROW(run.run(), ArithmeticError);
  const int lastStepHandedOver = run.lastResult().step;
  EXPECT_GT(lastStepHandedOver, 5000);
  file.closeResultFile();
  const auto lines = reportLines(readBytes(dir.file("default.t-s")));
  // the header, then one complete row per step handed over before the fault, and nothing else
  EXPECT_EQ(lines.size(), 4u + static_cast<std::size_t>(lastStepHandedOver));
  EXPECT_EQ(lines.back().size(), 44u);
}

}  // namespace
}  // namespace kvt
