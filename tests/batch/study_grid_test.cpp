// SPDX-License-Identifier: MIT
#include "batch/study_grid.h"

#include <gtest/gtest.h>

namespace kvt {
namespace {

VariedEntry entry(std::string_view option) {
  auto parsed = VariedEntry::parse(option);
  if (auto* error = std::get_if<std::string>(&parsed)) {
    ADD_FAILURE() << *error;
    return std::get<VariedEntry>(VariedEntry::parse("lb=1"));
  }
  return std::get<VariedEntry>(parsed);
}

std::vector<std::string> texts(const VariedEntry& e) {
  std::vector<std::string> all;
  for (std::uint64_t k = 0; k < e.size(); ++k)
    all.push_back(e.text(k));
  return all;
}

TEST(StudyGrid, ListsKeepTheTextsAndRangesCountInExactDecimals) {
  const struct {
    const char* option;
    std::vector<std::string> values;
  } cases[] = {
      {"lb=10:30:5", {"10", "15", "20", "25", "30"}},
      {"lb=10:28:5", {"10", "15", "20", "25"}},  // the stop need not be on the grid
      {"deltaL=0.1:0.5:0.1", {"0.1", "0.2", "0.3", "0.4", "0.5"}},
      {"pw=0.5:-0.5:-0.25", {"0.5", "0.25", "0", "-0.25", "-0.5"}},
      {"ds=0.00001:0.00003:0.00001", {"0.00001", "0.00002", "0.00003"}},
      {"lb=7:7:1", {"7"}},
      {"Ec=2.4,2.50,3e0", {"2.4", "2.50", "3e0"}},
      {"bar=d13,D6", {"D13", "D6"}},
      // With a unit, each value is typed in the window's unit.
      {"lb=100:300:50mm", {"10", "15", "20", "25", "30"}},
      {"lb=100,155mm", {"10", "15.5"}},
      {"lb=0.1m,25 cm", {"10", "25"}},
      {"Ab=127mm2,2cm2", {"1.27", "2"}},
      {"Es=200GPa", {"2.0394324259558565"}},
      {"sigmaT=3MPa", {"30.591486389337845"}},
      {"beta=1.02 1/mm", {"10.2"}},
      {"ds=0.0001mm", {"1e-05"}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(texts(entry(c.option)), c.values) << c.option;
}

TEST(StudyGrid, ARangeThatStopsShortOfItsStopSaysSoWithTheValuesItRuns) {
  const struct {
    const char* option;
    const char* note;  // "" when there is none
  } cases[] = {
      {"lb=10:20:3",
       "--vary lb: the range ends at 19, short of its stop 20, and runs 10, 13, 16, 19"},
      {"lb=10:100:7",
       "--vary lb: the range ends at 94, short of its stop 100, and runs 10, 17, 24, …, 87, 94"},
      {"pw=0.5:-0.4:-0.25",
       "--vary pw: the range ends at -0.25, short of its stop -0.4, and runs "
       "0.5, 0.25, 0, -0.25"},
      {"lb=10:30:5", ""},
      {"deltaL=0.1:0.5:0.1", ""},
      {"lb=10,25", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(entry(c.option).shortfall().value_or(""), c.note) << c.option;
}

TEST(StudyGrid, TheFirstVaryChangesSlowest) {
  const StudyGrid grid({entry("bar=D13,D16"), entry("lb=10,20,30")});
  ASSERT_EQ(grid.size(), 6u);
  EXPECT_EQ(grid.values(0), (std::vector<std::string>{"D13", "10"}));
  EXPECT_EQ(grid.values(2), (std::vector<std::string>{"D13", "30"}));
  EXPECT_EQ(grid.values(3), (std::vector<std::string>{"D16", "10"}));
  EXPECT_EQ(grid.tag(5), "bar=D16.lb=30");
  EXPECT_EQ(StudyGrid().size(), 1u);
}

// The window's boxes after a run's values are typed over the default entries.
struct Typed {
  explicit Typed(const StudyGrid& grid, std::uint64_t run = 0, const char* deltaLText = nullptr) {
    entries.loadDefaults();
    if (deltaLText) entries.setText(4, deltaLText);
    error = grid.enter(run, entries);
  }
  AnalysisParameters record;
  ParameterEntries entries{record};
  std::optional<NumericError> error;
};

TEST(StudyGrid, ValuesAreTypedWithTheWindowsRules) {
  // A varied db rewrites Δl as db/2, as typing into the db box does.
  EXPECT_EQ(Typed(StudyGrid({entry("db=1.6")})).entries.text(4), "0.80");
  // ... even when the base file already shows that db but a Δl of its own: typing runs the rule.
  EXPECT_EQ(Typed(StudyGrid({entry("db=1.30")}), 0, "0.1").entries.text(4), "0.65");
  // A varied Δl is typed after db, whatever the order on the command line, and is kept.
  const Typed both(StudyGrid({entry("deltaL=0.5"), entry("db=1.6")}));
  EXPECT_EQ(both.entries.text(4), "0.5");
  EXPECT_EQ(both.record.deltaL, 0.5f);
  EXPECT_EQ(both.record.db, 1.6f);
  // Without a varied db the base file's Δl stays.
  EXPECT_EQ(Typed(StudyGrid({entry("lb=30")}), 0, "0.1").record.deltaL, 0.1f);
  // Ec and Es in the window's units.
  const Typed moduli(StudyGrid({entry("Ec=2.5"), entry("Es=2.05")}));
  EXPECT_EQ(moduli.record.Ec, 250000.0f);
  EXPECT_EQ(moduli.record.Es, 2050000.0f);
  // A bar sets db, Ab and φ, and Δl follows db.
  const Typed bar(StudyGrid({entry("bar=D16")}));
  EXPECT_EQ(bar.entries.text(10), "1.59");
  EXPECT_EQ(bar.entries.text(11), "1.986");
  EXPECT_EQ(bar.entries.text(12), "5.0");
  EXPECT_EQ(bar.entries.text(4), "0.80");
  // A value beyond the single range is the rule's numeric error, for the run to report.
  EXPECT_TRUE(Typed(StudyGrid({entry("Ec=1e34")})).error.has_value());
}

}  // namespace
}  // namespace kvt
