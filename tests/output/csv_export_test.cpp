// SPDX-License-Identifier: MIT
#include "output/csv_export.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "output/result_file.h"
#include "params/format_number.h"
#include "report_reading.h"
#include "support/committed_defaults.h"
#include "support/fixed_clock.h"
#include "support/temp_dir.h"

namespace kvt {
namespace {

std::vector<std::string> split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in(text);
  while (std::getline(in, part, separator))
    parts.push_back(part);
  return parts;
}

// The default run with its result file and its record.
struct RecordedRun {
  RecordedRun() {
    testing::Cwd cwd(dir.path());
    ResultFile file(run.parameters(), clock);
    recordRun(run, file);
    report = testing::reportLines(testing::readBytes(dir.file(file.path())));
  }
  testing::TempDir dir;
  testing::FixedClock clock;
  RunRecord run{testing::committedDefaults()};
  std::vector<std::string> report;
};

TEST(LoadSlipCsv, DefaultRunAgreesWithTheReportAndItsPeaks) {
  const RecordedRun run;
  const auto lines = split(loadSlipCsv(run.run.rows()), '\n');
  ASSERT_EQ(lines.size(), 1u + 432u);
  EXPECT_EQ(lines[0],
            "step,free-end slip s0 (cm),loaded-end slip (cm),loaded-end force (kgf),"
            "average bond stress (kgf/cm2)\r");
  double tauMaxSeen = 0;
  double forceMaxSeen = 0;
  for (std::size_t k = 1; k < lines.size(); ++k) {
    ASSERT_EQ(lines[k].back(), '\r');
    const auto fields = split(lines[k].substr(0, lines[k].size() - 1), ',');
    ASSERT_EQ(fields.size(), 5u);
    EXPECT_EQ(std::stoi(fields[0]), static_cast<int>(k));
    const double slip = std::strtod(fields[2].c_str(), nullptr);
    const double force = std::strtod(fields[3].c_str(), nullptr);
    const double tau = std::strtod(fields[4].c_str(), nullptr);
    // The report's row of the same step, at the report's precision.
    const std::string shown =
        "   " + formatNumber(slip, "0.000e+00") + "       " + formatNumber(force, "0.000e+00");
    EXPECT_EQ(run.report[3 + k].substr(0, shown.size()), shown) << "step " << k;
    EXPECT_TRUE(run.report[3 + k].ends_with(formatNumber(tau, "####0.00"))) << "step " << k;
    tauMaxSeen = std::max(tauMaxSeen, tau);
    forceMaxSeen = std::max(forceMaxSeen, force);
  }
  EXPECT_EQ(formatNumber(tauMaxSeen, "##0.00"), "96.75");
  EXPECT_EQ(formatNumber(forceMaxSeen, "####0.00"), "7798.40");
}

TEST(LoadSlipCsv, NumbersReadBackAsTheSameDoubles) {
  const RecordedRun run;
  const auto lines = split(loadSlipCsv(run.run.rows()), '\n');
  for (std::size_t k = 1; k < lines.size(); ++k) {
    const auto fields = split(lines[k].substr(0, lines[k].size() - 1), ',');
    const LoadSlipRow& row = run.run.rows()[k - 1];
    EXPECT_EQ(std::strtod(fields[1].c_str(), nullptr), row.s0);
    EXPECT_EQ(std::strtod(fields[2].c_str(), nullptr), row.loadedEndSlip);
    EXPECT_EQ(std::strtod(fields[3].c_str(), nullptr), row.loadedEndForce);
    EXPECT_EQ(std::strtod(fields[4].c_str(), nullptr), row.tauAvg);
  }
  for (const double value : {0.1, 1e-10, 7798.396912345678, 5e-324, 1.7976931348623157e308})
    EXPECT_EQ(std::strtod(roundTripText(value).c_str(), nullptr), value);
}

TEST(ProfileCsv, HoldsEverySectionOfTheChosenStepsThatExist) {
  const RecordedRun run;
  EXPECT_EQ(run.run.sections(1).size(), 31u);
  EXPECT_EQ(run.run.sections(432).size(), 31u);
  EXPECT_TRUE(run.run.sections(5000).empty()) << "step 5000 is never reached";
  const auto lines = split(profileCsv(run.run.sections(251)), '\n');
  ASSERT_EQ(lines.size(), 1u + 31u);
  const auto last = split(lines.back().substr(0, lines.back().size() - 1), ',');
  ASSERT_EQ(last.size(), 5u);
  EXPECT_EQ(last[0], "31");
  // The loaded end of step 251: the report's peak row.
  EXPECT_EQ(formatNumber(std::strtod(last[2].c_str(), nullptr), "0.000e+00"), "4.155e-02");
  EXPECT_EQ(formatNumber(std::strtod(last[3].c_str(), nullptr), "####0.00"), "7798.40");
}

TEST(UnitConversion, SiFactorsFollowFromTheKilogramForce) {
  // 1 kgf = 9.80665 N exactly; 1 kgf/cm² = 9.80665 N / 100 mm².
  EXPECT_DOUBLE_EQ(inUnits(1000, Quantity::Force, UnitSystem::SI), 9.80665);
  EXPECT_DOUBLE_EQ(inUnits(2.5, Quantity::Length, UnitSystem::SI), 25.0);
  EXPECT_DOUBLE_EQ(inUnits(100, Quantity::Stress, UnitSystem::SI), 9.80665);
  for (const Quantity q : {Quantity::Force, Quantity::Length, Quantity::Stress})
    EXPECT_EQ(inUnits(0.1, q, UnitSystem::KgfCm), 0.1);
}

TEST(Csv, SiHeadersNameTheirUnitsAndValuesAreConvertedOnce) {
  const RecordedRun run;
  const auto lines = split(loadSlipCsv(run.run.rows(), UnitSystem::SI), '\n');
  EXPECT_EQ(lines[0],
            "step,free-end slip s0 (mm),loaded-end slip (mm),loaded-end force (kN),"
            "average bond stress (MPa)\r");
  const LoadSlipRow& peak = run.run.rows()[250];
  const auto fields = split(lines[251].substr(0, lines[251].size() - 1), ',');
  EXPECT_EQ(std::strtod(fields[2].c_str(), nullptr), peak.loadedEndSlip * 10.0);
  EXPECT_EQ(std::strtod(fields[3].c_str(), nullptr), peak.loadedEndForce * (9.80665 / 1000.0));
  EXPECT_EQ(std::strtod(fields[4].c_str(), nullptr), peak.tauAvg * (9.80665 / 100.0));
  EXPECT_EQ(formatNumber(std::strtod(fields[3].c_str(), nullptr), "0.000"), "76.476");

  const auto profile = split(profileCsv(run.run.sections(251), UnitSystem::SI), '\n');
  EXPECT_EQ(profile[0], "section,x (mm),slip (mm),bar force (kN),bond stress of segment (MPa)\r");
  // x = 31·Δl with Δl = 0.65 as stored in single precision.
  EXPECT_TRUE(profile[31].starts_with("31,201.49999")) << profile[31];
}

}  // namespace
}  // namespace kvt
