// SPDX-License-Identifier: MIT
// Pathological entries through the same path as "Execute": the window's initial texts with one
// box changed, committed, then run with a result file. Each gives a correct run or a clear
// error naming its cause; none crashes or hangs, and no failed run leaves a file that looks
// complete.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "analysis/analysis_error.h"
#include "analysis/pull_out_run.h"
#include "output/result_file.h"
#include "params/commit_parameters.h"
#include "params/parameter_entries.h"
#include "report_reading.h"
#include "support/fixed_clock.h"
#include "support/temp_dir.h"

namespace kvt {
namespace {

enum class Outcome { Finished, EntryRejected, Refused, ArithmeticFault, StepLimit };

// Every case names the step at which its run ended (the step that finished it, the step in which
// the fault or the step limit struck, 0 for a fault before the first step, -1 for an entry
// rejected before any run) and the result rows its report holds (-1: no report was created).
struct Case {
  const char* name;
  int box;
  std::string text;
  Outcome outcome;
  int step;
  int rows;
  const char* cause;  // part of the error message
};

void PrintTo(const Case& c, std::ostream* os) {
  *os << c.name;
}

// The result row of the step that ends a finished run: zero force and zero bond stress.
constexpr const char* kFinalRowEnd = "0.000e+00            0.00";

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
  int step = -1;
  try {
    commitParameters(entries.texts(), record);
  } catch (const NumericError& rejected) {
    outcome = Outcome::EntryRejected;
    error = rejected.what();
  }
  if (outcome != Outcome::EntryRejected) {
    testing::FixedClock clock;
    ResultFile file(record, clock);
    PullOutRun run(record, file);
    try {
      run.run();
    } catch (const StepLimitError& limit) {
      outcome = Outcome::StepLimit;
      error = limit.what();
    } catch (const ArithmeticError& fault) {
      outcome = Outcome::ArithmeticFault;
      error = fault.what();
    } catch (const ParameterError& refused) {
      outcome = Outcome::Refused;
      error = refused.what();
    }
    step = run.step();
  }
  EXPECT_EQ(outcome, c.outcome) << error;
  EXPECT_EQ(step, c.step);
  if (c.outcome != Outcome::Finished) {
    EXPECT_NE(error.find(c.cause), std::string::npos) << error;
  }

  // Only a finished run's report ends with the zero-force row; a failed run's report ends with
  // the complete rows of the steps before the failure, so it cannot be taken for a finished one.
  const std::string report = dir.file("default.t-s");
  if (c.rows < 0) {
    EXPECT_FALSE(std::filesystem::exists(report));
    return;
  }
  ASSERT_TRUE(std::filesystem::exists(report));
  const auto lines = testing::reportLines(testing::readBytes(report));
  ASSERT_EQ(lines.size(), 4u + static_cast<std::size_t>(c.rows));
  const bool endsWithFinalRow = lines.back().ends_with(kFinalRowEnd);
  EXPECT_EQ(endsWithFinalRow, outcome == Outcome::Finished) << lines.back();
}

INSTANTIATE_TEST_SUITE_P(
    Entries, PathologicalEntry,
    ::testing::Values(
        Case{"lb0", 6, "0", Outcome::ArithmeticFault, 1, 0, "lb·1000 rounds to 0"},
        // A negative length is refused as what it is, before anything is written.
        Case{"lbNegative", 6, "-20", Outcome::Refused, 0, -1, "bond length lb is negative (-20.00"},
        Case{"deltaL0", 4, "0", Outcome::ArithmeticFault, 0, -1, "Δl·1000 rounds to 0"},
        Case{"deltaLNegative", 4, "-0.65", Outcome::Refused, 0, -1,
             "segment length Δl is negative"},
        Case{"lb3e6", 6, "3e6", Outcome::ArithmeticFault, 0, -1, "32-bit"},
        Case{"lbHex", 6, "&HFFFFFFFF", Outcome::ArithmeticFault, 0, -1, "32-bit"},
        Case{"lb1e400", 6, "1e400", Outcome::ArithmeticFault, 0, -1, "in lb"},
        Case{"phi0", 12, "0", Outcome::ArithmeticFault, 1, 0, "φ = 0"},
        Case{"Es0", 13, "0", Outcome::ArithmeticFault, 1, 0, "Es·Ab is zero"},
        Case{"Ab0", 11, "0", Outcome::ArithmeticFault, 1, 0, "Es·Ab is zero"},
        Case{"db0", 10, "0", Outcome::ArithmeticFault, 0, -1, "db is zero"},
        Case{"ru0", 5, "0", Outcome::ArithmeticFault, 0, -1, "ru is zero"},
        Case{"beta0", 3, "0", Outcome::ArithmeticFault, 0, -1, "β·db is zero"},
        // Without lateral reinforcement the stress drops to zero past the peak: a shorter run.
        Case{"pw0", 14, "0", Outcome::Finished, 225, 225, ""},
        // A negative ru makes the law give no stress: the bar carries nothing, and the run ends
        // at its first step with zero bond stress.
        Case{"ruNegative", 5, "-3.25", Outcome::Finished, 1, 1, ""},
        // No descending slope: the stress past the peak stays put and ds grows by 2 % a step
        // until it leaves the single range, long before step 10000.
        Case{"C2zero", 16, "0", Outcome::ArithmeticFault, 5280, 5280, "(C2 and pw)"},
        // A rising "descending" branch never returns to zero.
        Case{"C2negative", 16, "-1", Outcome::StepLimit, 10001, 10000, "(C2 and pw)"},
        // Without an increment the free-end slip never moves: every step repeats the first.
        Case{"initialDs0", 20, "0", Outcome::StepLimit, 10001, 10000, "ds is 0"},
        Case{"Ec1e400", 9, "1e400", Outcome::EntryRejected, -1, -1, "Ec"},
        Case{"C1minus1e400", 15, "-1e400", Outcome::EntryRejected, -1, -1, "C1"},
        Case{"cotAlphaMinus1e400", 2, "-1e400", Outcome::ArithmeticFault, 0, -1, "cotα"},
        // "&H" reads an unsigned hexadecimal integer: σt = 4294967295.
        Case{"sigmaTHex", 8, "&HFFFFFFFF", Outcome::Finished, 14, 14, ""},
        // "nan" is not a number: it reads as 0, like any text that does not start with one.
        Case{"cotAlphaNan", 2, "nan", Outcome::Finished, 152, 152, ""},
        Case{"comment100k", 1, std::string(100000, 'x'), Outcome::Finished, 432, 432, ""}),
    [](const ::testing::TestParamInfo<Case>& entry) { return std::string(entry.param.name); });

}  // namespace
}  // namespace kvt
