// SPDX-License-Identifier: MIT
#include "batch/batch_command_line.h"

#include <gtest/gtest.h>

#include <set>

namespace kvt {
namespace {

BatchCommand parsed(const std::vector<std::string>& args) {
  try {
    return parseBatchCommandLine(args);
  } catch (const UsageError& error) {
    ADD_FAILURE() << "usage error: " << error.what();
    return {};
  }
}

std::string usageError(const std::vector<std::string>& args) {
  try {
    parseBatchCommandLine(args);
  } catch (const UsageError& error) {
    return error.what();
  }
  return "(accepted)";
}

TEST(BatchCommandLine, ReadsOptionsBeforeAndAfterFiles) {
  const BatchCommand c = parsed({"--csv", "a.kvt", "--profile-csv", "1,251", "b.kvt", "--detail"});
  EXPECT_EQ(c.files, (std::vector<std::string>{"a.kvt", "b.kvt"}));
  EXPECT_TRUE(c.options.loadSlipCsv);
  EXPECT_EQ(c.options.profileSteps, (std::set<int>{1, 251}));
  EXPECT_EQ(c.options.detailOutput, true);
}

TEST(BatchCommandLine, TakesAValueAfterAnEqualsSign) {
  EXPECT_EQ(parsed({"--profile-csv=5", "a.kvt"}).options.profileSteps, std::set<int>{5});
}

TEST(BatchCommandLine, ChoosesTheUnitsOfTheExports) {
  EXPECT_EQ(parsed({"a.kvt"}).options.units, UnitSystem::KgfCm);
  EXPECT_EQ(parsed({"--units", "si", "a.kvt"}).options.units, UnitSystem::SI);
  EXPECT_EQ(parsed({"--units=kgf-cm", "a.kvt"}).options.units, UnitSystem::KgfCm);
  EXPECT_EQ(usageError({"--units", "imperial", "a.kvt"}),
            "--units is si or kgf-cm, not 'imperial'");
}

TEST(BatchCommandLine, ListsEachFigureFormatOnce) {
  EXPECT_TRUE(parsed({"a.kvt"}).options.figureFormats.empty());
  EXPECT_EQ(parsed({"--figures=svg,png,svg", "a.kvt"}).options.figureFormats,
            (std::vector<FigureFormat>{FigureFormat::Svg, FigureFormat::Png}));
  EXPECT_EQ(usageError({"--figures", "png,gif", "a.kvt"}),
            "--figures takes png, svg or pdf, comma-separated, not 'png,gif'");
  EXPECT_EQ(usageError({"--figures=", "a.kvt"}),
            "--figures takes png, svg or pdf, comma-separated, not ''");
}

TEST(BatchCommandLine, DoubleDashEndsTheOptions) {
  const BatchCommand c = parsed({"--no-detail", "--", "--csv", "-"});
  EXPECT_EQ(c.files, (std::vector<std::string>{"--csv", "-"}));
  EXPECT_FALSE(c.options.loadSlipCsv);
  EXPECT_EQ(c.options.detailOutput, false);
}

TEST(BatchCommandLine, HelpNeedsNoFile) {
  EXPECT_EQ(parsed({"--help"}).action, BatchCommand::Action::Help);
}

TEST(BatchCommandLine, ReadsAStudy) {
  const BatchCommand c = parsed({"--vary", "bar=D13,D16", "--vary=pw=0.1:1.1:0.1", "-j3", "--shard",
                                 "2/5", "--find-lb", "--fy", "3500", "--lb-max", "150.5",
                                 "--keep-runs", "--ds", "2e-5", "b.kvt"});
  ASSERT_EQ(c.study.grid.entries().size(), 2u);
  EXPECT_EQ(c.study.grid.size(), 22u);
  EXPECT_EQ(c.options.jobs, 3u);
  EXPECT_EQ(c.study.shard.index, 2u);
  EXPECT_EQ(c.study.shard.count, 5u);
  EXPECT_TRUE(c.study.findLb);
  EXPECT_EQ(c.options.fy, 3500.0);
  EXPECT_EQ(c.study.lbMaxTenths, 1505);
  EXPECT_TRUE(c.study.keepRuns);
  EXPECT_EQ(c.options.initialDs, "2e-5");
}

TEST(BatchCommandLine, RefusesABadStudyWithOneLine) {
  const struct {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{"--vary", "length=10,20"}, "--vary: no entry is called 'length'; the entries are "},
      {{"--vary", "lb"}, "--vary needs NAME=VALUES"},
      {{"--vary", "lb=10,,20"}, "--vary lb: an empty value in '10,,20'"},
      {{"--vary", "lb=10,12kg"}, "--vary lb: \"kg\" is not a unit of length (mm, cm, m)"},
      {{"--vary", "lb=1x,12"}, "--vary lb: \"x\" is not a unit of length"},
      {{"--vary", "lb=abc,12"}, "--vary lb: 'abc' is not a number"},
      {{"--vary", "lb=10mm,12,14"}, "--vary lb: give a unit with every value or after the last"},
      {{"--vary", "lb=10mm:60:5"}, "--vary lb: a range takes one unit, after its step"},
      {{"--vary", "lb=100mm,10cm"}, "--vary lb: 10cm is 100mm again: each value runs once"},
      {{"--vary", "pw=0.2%"}, "--vary pw: pw takes a bare number, not '0.2%'"},
      {{"--vary", "Es=1e308GPa"}, "--vary Es: '1e308GPa' is beyond the range of numbers"},
      {{"--vary", "lb=10,20,10"}, "--vary lb: 10 is given twice"},
      {{"--vary", "lb=10,10.0,1e1"}, "--vary lb: 10.0 is 10 again: each value runs once"},
      {{"--vary", "ds=1e-5,0.00001000000001"}, "--vary ds: 0.00001000000001 is 1e-5 again"},
      {{"--vary", "lb=10:60"}, "--vary lb: a range is START:STOP:STEP"},
      {{"--vary", "lb=1e1:60:5"}, "--vary lb: a range is START:STOP:STEP in plain decimals"},
      {{"--vary", "lb=10:60:0"}, "--vary lb: the step of a range cannot be 0"},
      {{"--vary", "lb=60:10:5"}, "--vary lb: a step of 5 never gets from 60 to 10"},
      {{"--vary", "bar=D13,D14"}, "--vary bar: 'D14' is not a JIS deformed bar"},
      {{"--vary", "bar=D13:D25"}, "--vary bar: bars are listed, not ranged"},
      {{"--vary", "lb=10", "--vary", "lb=20"}, "--vary lb is given twice"},
      {{"--vary", "bar=D13", "--vary", "Ab=1,2"}, "--vary bar sets db, Ab and phi"},
      {{"--vary", "lb=1:100000:1", "--vary", "pw=0.1,0.2"},
       "the grid has 200000 runs; give --yes to run more than 100000"},
      {{"--vary", "lb=1:1e5:1"}, "--vary lb: a range is START:STOP:STEP in plain decimals"},
      {{"--vary", "lb=999999999999999:0.000000001:-1"}, "--vary lb: a range's numbers are too far"},
      {{"--vary", "ds=0.00001:-0.00001:-0.00001"}, "--vary ds: the initial ds must be positive"},
      {{"--vary", "lb=10", "--shard", "0/4"}, "--shard is K/N with 1 <= K <= N"},
      {{"--vary", "lb=10", "--shard", "5/4"}, "--shard is K/N with 1 <= K <= N"},
      {{"--vary", "lb=10", "--shard", "2"}, "--shard is K/N with 1 <= K <= N"},
      {{"--shard", "1/2"}, "--shard belongs to a study: give --vary or --find-lb"},
      {{"--find-lb"}, "--find-lb needs the bar's yield stress: --fy STRESS"},
      {{"--lb-max", "300"}, "--lb-max goes with --find-lb"},
      {{"--find-lb", "--fy", "-3"}, "--fy needs a positive yield stress"},
      {{"--find-lb", "--fy", "3500", "--vary", "lb=10"}, "--find-lb seeks lb itself"},
      {{"--find-lb", "--fy", "3500", "--lb-max", "20.25"}, "--lb-max needs a length in cm"},
      {{"--ds", "0"}, "--ds needs a positive slip increment in cm"},
      {{"--ds", "1e-5", "--vary", "ds=1e-5,2e-5"}, "--ds and --vary ds both set the initial ds"},
      {{"-j", "0"}, "-j needs a number of analyses at a time, 1 to 1024"},
      {{"-jx"}, "-j needs a number of analyses at a time"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = c.args;
    args.push_back("b.kvt");
    EXPECT_TRUE(usageError(args).starts_with(c.message)) << usageError(args);
  }
  EXPECT_EQ(parsed({"--vary", "lb=1:100000:1", "--vary", "pw=0.1,0.2", "--yes", "b.kvt"})
                .study.grid.size(),
            200000u);
  EXPECT_EQ(usageError({"--vary", "lb=10", "--summary", "s.csv", "a.kvt", "b.kvt"}),
            "--summary names one file, but a study is run for each of 2 parameter files");
}

// A bare number keeps its meaning: --fy in the units of the outputs, lengths in cm. A value with
// its unit means what it says, whatever --units, and a yield stress no bar has is refused.
TEST(BatchCommandLine, ReadsQuantitiesWithTheirUnits) {
  const std::vector<std::string> findLb = {"--find-lb", "b.kvt"};
  const auto fy = [&](std::vector<std::string> args) {
    args.insert(args.end(), findLb.begin(), findLb.end());
    return *parsed(args).options.fy;
  };
  EXPECT_EQ(fy({"--fy", "3500"}), 3500);
  EXPECT_EQ(fy({"--fy", "3500kgf/cm2", "--units", "si"}), 3500);
  EXPECT_EQ(fy({"--fy=3500 kgf/cm²"}), 3500);
  EXPECT_DOUBLE_EQ(fy({"--fy", "345MPa"}), 345 / 0.0980665);
  EXPECT_DOUBLE_EQ(fy({"--fy", "345", "--units", "si"}), 345 / 0.0980665);
  EXPECT_DOUBLE_EQ(fy({"--units", "si", "--fy", "3500", "--yes"}), 3500 / 0.0980665);

  const BatchCommand c =
      parsed({"--find-lb", "--fy", "345MPa", "--lb-max", "1.5m", "--ds", "0.0002mm", "b.kvt"});
  EXPECT_EQ(c.study.lbMaxTenths, 1500);
  EXPECT_EQ(c.options.initialDs, "2e-05");
  EXPECT_EQ(parsed({"--find-lb", "--fy", "3500", "--lb-max", "1505mm", "b.kvt"}).study.lbMaxTenths,
            1505);

  const VariedEntry lb = parsed({"--vary", "lb=100:600:50mm", "b.kvt"}).study.grid.entries()[0];
  ASSERT_EQ(lb.size(), 11u);
  EXPECT_EQ(lb.text(1), "15");
  EXPECT_EQ(lb.typedText(1), "150mm");

  const std::pair<std::vector<std::string>, std::string> refusals[] = {
      {{"--fy", "3500", "--units", "si"},
       "--fy 3500 is 3500 MPa (35690.1 kgf/cm²) with --units si; a reinforcing bar yields at 1000 "
       "to 10000 kgf/cm² (98 to 981 MPa). Give its unit (--fy 345MPa, --fy 3500kgf/cm2), or "
       "--yes to run it all the same"},
      {{"--fy", "345"}, "--fy 345 is 345 kgf/cm² (33.8 MPa); a reinforcing bar yields at"},
      {{"--fy", "50MPa"}, "--fy 50MPa is 509.9 kgf/cm² (50 MPa); a reinforcing bar yields at"},
      {{"--fy", "3500kg"}, "--fy needs a positive yield stress, e.g. 345MPa or 3500kgf/cm2"},
      {{"--fy", "3500", "--lb-max", "20.25cm"}, "--lb-max needs a length in cm"},
  };
  for (const auto& [args, message] : refusals) {
    std::vector<std::string> all = args;
    all.insert(all.end(), findLb.begin(), findLb.end());
    EXPECT_TRUE(usageError(all).starts_with(message)) << usageError(all);
  }
}

TEST(BatchCommandLine, TakesAFigureSizeOnPaper) {
  for (const char* size : {"85x60mm", "8.5x6cm", "85x60", "85mmx6cm"}) {
    const BatchCommand c = parsed({"--figures", "pdf", "--figure-size", size, "a.kvt"});
    EXPECT_EQ(c.options.figureSize.widthMm, 85) << size;
    EXPECT_EQ(c.options.figureSize.heightMm, 60) << size;
  }
  EXPECT_EQ(parsed({"--figures", "pdf", "a.kvt"}).options.figureSize.widthMm, 160);
  for (const char* size : {"30x60mm", "85x600mm", "85", "85x60kg", "x60"})
    EXPECT_TRUE(usageError({"--figures", "pdf", "--figure-size", size, "a.kvt"})
                    .starts_with("--figure-size is WIDTHxHEIGHT on paper, each 40 to 400 mm"))
        << size;
  EXPECT_EQ(usageError({"--figure-size", "85x60mm", "a.kvt"}), "--figure-size goes with --figures");
}

TEST(BatchCommandLine, ReadsTheLawAndTheCodesFactors) {
  EXPECT_EQ(parsed({"--law", "m.toml", "a.kvt"}).lawFile, "m.toml");
  const BatchCommand c =
      parsed({"--codes", "ec2-2004,aci318,ec2-2004", "--fy", "3500", "--cover", "4", "--spacing",
              "50mm", "--bond", "poor", "--alphas", "1,0.7,1,1,1", "--gamma-c", "1.2", "a.kvt"});
  EXPECT_EQ(c.study.codes.codes,
            (std::vector{codes::DesignCode::Ec2_2004, codes::DesignCode::Aci318}));
  EXPECT_TRUE(c.codesOnly());
  const codes::AnchorageCase& f = c.study.codes.factors;
  EXPECT_EQ(f.cover, 40);  // a bare length is in cm
  EXPECT_EQ(f.clearSpacing, 50);
  EXPECT_FALSE(f.goodBond);
  EXPECT_EQ(f.alphas.a2, 0.7);
  EXPECT_EQ(f.gammaC, 1.2);
  EXPECT_EQ(c.study.codes.given,
            (std::set<std::string>{"cover", "spacing", "bond", "α1…α5", "γc"}));
  EXPECT_EQ(parsed({"--codes", "all", "--fy", "3500", "a.kvt"}).study.codes.codes.size(), 4u);
  EXPECT_FALSE(parsed({"--codes", "all", "--fy", "3500", "--find-lb", "a.kvt"}).codesOnly());

  const std::pair<std::vector<std::string>, const char*> refusals[] = {
      {{"--cover", "40mm"}, "--cover goes with --codes"},
      {{"--codes", "ec3"}, "--codes takes ec2-2004, ec2-2023, mc2010 and aci318"},
      {{"--codes", "all"}, "--codes needs the bar's yield stress: --fy STRESS"},
      {{"--codes", "all", "--fy", "3500", "--csv"}, "--csv belongs to a run; --codes without"},
      {{"--codes", "all", "--fy", "3500", "--law", "m.toml"}, "--law belongs to a run"},
      {{"--codes", "all", "--fy", "3500", "--vary", "lb=10"}, "--codes in a study goes with"},
      {{"--codes", "all", "--fy", "3500", "--cover", "-1"}, "--cover needs a length"},
      {{"--codes", "all", "--fy", "3500", "--km", "-1"}, "--km needs a number not below zero"},
      {{"--codes", "all", "--fy", "3500", "--alphas", "1,1"}, "--alphas takes"},
      {{"--codes", "all", "--fy", "3500", "--bond", "bad"}, "--bond is good or poor"},
      {{"--vary", "law.bond=good"}, "--vary: no entry is called 'law.bond'"},
      {{"--vary", "law.fcm=25:45:5mm"}, "--vary law.fcm: \"mm\" is not a unit of stress"},
  };
  for (const auto& [args, message] : refusals) {
    std::vector<std::string> line = args;
    line.push_back("b.kvt");
    EXPECT_TRUE(usageError(line).starts_with(message)) << usageError(line);
  }
  // Law entries are varied in the law's own units, or converted to them.
  const BatchCommand varied = parsed({"--vary", "law.c_clear=0.6:0.8:0.1cm", "b.kvt"});
  EXPECT_EQ(varied.study.grid.values(2), std::vector<std::string>{"8"});
}

TEST(BatchCommandLine, RefusesWhatItCannotRun) {
  EXPECT_EQ(usageError({"--bogus", "a.kvt"}), "unknown option --bogus");
  EXPECT_EQ(usageError({"a.kvt", "--profile-csv"}), "option --profile-csv needs a value");
  EXPECT_EQ(usageError({"--profile-csv", "0", "a.kvt"}),
            "--profile-csv needs step numbers, e.g. 1,100,251");
  EXPECT_EQ(usageError({"--profile-csv", "1,x", "a.kvt"}),
            "--profile-csv needs step numbers, e.g. 1,100,251");
  EXPECT_EQ(usageError({"--csv=yes", "a.kvt"}), "option --csv takes no value");
  EXPECT_EQ(usageError({"--csv"}), "no parameter file given");
}

}  // namespace
}  // namespace kvt
