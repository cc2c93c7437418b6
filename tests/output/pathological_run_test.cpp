// SPDX-License-Identifier: MIT
// Pathological entries through the same path as "Execute": the window's initial texts with one
// box changed, committed, then run with a result file. Each gives a correct run or a clear
// error naming its cause; none crashes or hangs, and no failed run leaves a file that looks
// complete.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "analysis/pull_out_run.h"
#include "output/result_file.h"
#include "params/commit_parameters.h"
#include "params/parameter_entries.h"
#include "report_reading.h"
#include "support/fixed_clock.h"
#include "support/temp_dir.h"

namespace kvt {
namespace {

enum class Outcome { Finished, EntryRejected, ArithmeticFault, StepLimit };

struct Case {
  const char* name;
  int box;
  std::string text;
  Outcome outcome;
  int steps;          // of a finished run
  const char* cause;  // part of the error message
};

void PrintTo(const Case& c, std::ostream* os) {
  *os << c.name;
}

class PathologicalEntry : public ::testing::TestWithParam<Case> {};

TEST_P(PathologicalEntry, RunsCorrectlyOrNamesTheCause) {
  const Case& c = GetParam();
  testing::TempDir dir;
  testing::Cwd cwd(dir.path());
  AnalysisParameters record;
  ParameterEntries entries(record);
  entries.loadDefaults();
  entries.setText(c.box, c.text);

  std::string error;
  Outcome outcome = Outcome::Finished;
  int steps = 0;
  if (const auto rejected = commitParameters(entries.texts(), record)) {
    outcome = Outcome::EntryRejected;
    error = rejected->message;
  } else {
    testing::FixedClock clock;
    ResultFile file(record, clock);
    PullOutRun run(record, file);
    try {
      run.run();
      steps = run.step();
    } catch (const StepLimitError& limit) {
      outcome = Outcome::StepLimit;
      error = limit.what();
    } catch (const ArithmeticError& fault) {
      outcome = Outcome::ArithmeticFault;
      error = fault.what();
    }
  }
  EXPECT_EQ(outcome, c.outcome) << error;
  if (c.outcome == Outcome::Finished) {
    EXPECT_EQ(steps, c.steps);
  } else {
    EXPECT_NE(error.find(c.cause), std::string::npos) << error;
  }

  // A failed run's report, if one was begun, ends with complete lines and without the zero-force
  // row that closes a finished run.
  const std::string report = dir.file("default.t-s");
  if (outcome != Outcome::Finished && std::filesystem::exists(report)) {
    const auto lines = testing::reportLines(testing::readBytes(report));
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines.back().find("0.000e+00            0.00"), std::string::npos) << lines.back();
  }
  if (outcome == Outcome::Finished) {
    const auto lines = testing::reportLines(testing::readBytes(report));
    EXPECT_EQ(lines.size(), 4u + static_cast<std::size_t>(steps));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Entries, PathologicalEntry,
    ::testing::Values(
        Case{"lb0", 6, "0", Outcome::ArithmeticFault, 0, "no segment"},
        Case{"deltaL0", 4, "0", Outcome::ArithmeticFault, 0, "number of segments"},
        Case{"lb3e6", 6, "3e6", Outcome::ArithmeticFault, 0, "32-bit"},
        Case{"phi0", 12, "0", Outcome::ArithmeticFault, 0, "φ = 0"},
        Case{"Es0", 13, "0", Outcome::ArithmeticFault, 0, "Es·Ab is zero"},
        Case{"Ab0", 11, "0", Outcome::ArithmeticFault, 0, "Es·Ab is zero"},
        Case{"db0", 10, "0", Outcome::ArithmeticFault, 0, "db is zero"},
        Case{"ru0", 5, "0", Outcome::ArithmeticFault, 0, "ru is zero"},
        Case{"beta0", 3, "0", Outcome::ArithmeticFault, 0, "β·db is zero"},
        // Without lateral reinforcement the descending branch is steeper: a shorter run.
        Case{"pw0", 14, "0", Outcome::Finished, 225, ""},
        // A negative ru makes the law give no stress: the bar carries nothing, and the run ends
        // at its first step with zero bond stress.
        Case{"ruNegative", 5, "-3.25", Outcome::Finished, 1, ""},
        // No descending slope: ds grows by 2 % a step until it leaves the single range.
        Case{"C2zero", 16, "0", Outcome::ArithmeticFault, 0, "slip increment ds"},
        // A rising "descending" branch never returns to zero.
        Case{"C2negative", 16, "-1", Outcome::StepLimit, 0, "10000 steps"},
        Case{"Ec1e400", 9, "1e400", Outcome::EntryRejected, 0, "Ec"},
        Case{"cotAlphaMinus1e400", 2, "-1e400", Outcome::ArithmeticFault, 0, "cotα"},
        Case{"sigmaTHex", 8, "&HFFFFFFFF", Outcome::Finished, 14, ""},
        // "nan" is not a number: it reads as 0, like any text that does not start with one.
        Case{"cotAlphaNan", 2, "nan", Outcome::Finished, 152, ""},
        Case{"comment100k", 1, std::string(100000, 'x'), Outcome::Finished, 432, ""}),
    [](const ::testing::TestParamInfo<Case>& entry) { return std::string(entry.param.name); });

}  // namespace
}  // namespace kvt
