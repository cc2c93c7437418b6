// SPDX-License-Identifier: MIT
#include "batch/batch_command_line.h"

#include <gtest/gtest.h>

namespace kvt {
namespace {

BatchCommand parsed(const std::vector<std::string>& args) {
  auto result = parseBatchCommandLine(args);
  if (const auto* error = std::get_if<UsageError>(&result)) {
    ADD_FAILURE() << "usage error: " << error->message;
    return {};
  }
  return std::get<BatchCommand>(result);
}

std::string usageError(const std::vector<std::string>& args) {
  auto result = parseBatchCommandLine(args);
  const auto* error = std::get_if<UsageError>(&result);
  return error ? error->message : "(accepted)";
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
