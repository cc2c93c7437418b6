// SPDX-License-Identifier: MIT
#include "output/comparison_table.h"

#include <gtest/gtest.h>

#include <sstream>

#include "output/csv_export.h"
#include "support/committed_defaults.h"

namespace kvt {
namespace {

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> result;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    EXPECT_TRUE(line.ends_with('\r')) << line;
    line.pop_back();
    result.push_back(line);
  }
  return result;
}

std::string lineOf(const std::vector<std::string>& all, const std::string& start) {
  for (const std::string& line : all)
    if (line.starts_with(start)) return line;
  return "(no line " + start + ")";
}

TEST(ComparisonTable, EntriesAsEnteredAndResultsInTheUnitsChosen) {
  const RunRecord a = recordRun(testing::committedDefaults());
  AnalysisParameters p = testing::committedDefaults();
  p.db = 1.91f;
  const RunRecord b = recordRun(p);
  const ComparedRun runs[] = {{&a, 1, "db 1.3", nullptr}, {&b, 2, "db 1.91, x", &a}};

  const std::vector<std::string> si = lines(comparisonTableCsv(runs, UnitSystem::SI));
  EXPECT_EQ(si[0], "quantity,unit,run 1,run 2");
  EXPECT_EQ(si[1], "name,,db 1.3,\"db 1.91, x\"");
  EXPECT_EQ(lineOf(si, "db,"), "db,cm,1.3,1.91");
  EXPECT_EQ(lineOf(si, "σB,"), "σB,kgf/cm2,360,360");
  EXPECT_EQ(lineOf(si, "outcome,"), "outcome,,finished,finished");
  const auto kN = [](double kgf) {
    return roundTripText(inUnits(kgf, Quantity::Force, UnitSystem::SI));
  };
  EXPECT_EQ(lineOf(si, "Pbumax,"), "Pbumax,kN," + kN(a.PMax()) + "," + kN(b.PMax()));
  // The converged answer, where one run has it, and an empty cell where the other has not.
  EXPECT_EQ(lineOf(si, "converged Pbumax,"), "converged Pbumax,kN,," + kN(a.PMax()));

  const MeasuredCurve measured{"t.csv", {0.01, 0.02}, {100, 200}};
  const std::vector<std::string> curves =
      lines(comparedLoadSlipCsv(runs, &measured, UnitSystem::KgfCm));
  EXPECT_EQ(curves[0],
            "curve,step,free-end slip s0 (cm),loaded-end slip (cm),loaded-end force (kgf),"
            "average bond stress (kgf/cm2)");
  EXPECT_EQ(curves.size(), 1 + a.rows().size() + b.rows().size() + a.rows().size() + 2);
  const LoadSlipRow& last = b.rows().back();
  EXPECT_EQ(curves[a.rows().size() + b.rows().size()],
            "\"db 1.91, x\"," + std::to_string(last.step) + "," + roundTripText(last.s0) + "," +
                roundTripText(last.loadedEndSlip) + "," + roundTripText(last.loadedEndForce) + "," +
                roundTripText(last.tauAvg));
  EXPECT_EQ(curves[curves.size() - 2], "t.csv (measured),,,0.01,100,");
  EXPECT_TRUE(
      curves[a.rows().size() + b.rows().size() + 1].starts_with("\"db 1.91, x (converged)\",1,"));
}

}  // namespace
}  // namespace kvt
