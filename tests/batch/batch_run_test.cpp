// SPDX-License-Identifier: MIT
#include "batch/batch_run.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "report_reading.h"
#include "support/fixed_clock.h"
#include "support/temp_dir.h"

namespace kvt {
namespace {

using testing::readBytes;
using testing::reportLines;

std::string sourceFile(const std::string& relative) {
  const char* data = std::getenv("KVT_TEST_DATA");
  return std::string(data != nullptr ? data : ".") + "/../../" + relative;
}

// A copy of an example parameter file in a fresh folder.
struct ExampleCopy {
  explicit ExampleCopy(const std::string& name) : path(dir.file(name)) {
    std::filesystem::copy_file(sourceFile("examples/" + name), path);
  }
  testing::TempDir dir;
  std::string path;
};

// Replaces one entry of the copied parameter file (a whole line, CR LF included).
void replaceEntry(const ExampleCopy& example, const std::string& line, const std::string& value) {
  std::string bytes = readBytes(example.path);
  bytes.replace(bytes.find("\r\n" + line + "\r\n") + 2, line.size(), value);
  std::filesystem::remove(example.path);
  std::FILE* file = std::fopen(example.path.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

TEST(BatchRun, DefaultExampleGivesTheWindowsReportBesideTheFile) {
  const ExampleCopy example("default.kvt");
  const testing::FixedClock clock;
  const BatchResult result = runParameterFile(example.path, {}, clock);
  ASSERT_TRUE(result.succeeded) << result.message;
  EXPECT_TRUE(result.warnings.empty());
  EXPECT_EQ(result.message, example.path +
                                ": 432 steps, τb.max 115.05 kgf/cm², τbumax 96.75 kgf/cm², "
                                "Pbumax 7798 kgf → " +
                                example.dir.file("default.T-S"));
  const auto lines = reportLines(readBytes(example.dir.file("default.T-S")));
  auto expected = reportLines(readBytes(sourceFile("tests/output/golden/default-summary.t-s")));
  // Only line 1 differs: it names the parameter file the run came from.
  expected[0] = "τ-s relationship created by DORNE1, KVT file = " + example.path +
                ", at 12-07-2026, 13:05:42";
  EXPECT_EQ(lines, expected);
}

TEST(BatchRun, OptionsOverrideDetailAndAddCsvFiles) {
  const ExampleCopy example("bilinear.kvt");
  const testing::FixedClock clock;
  BatchOptions options;
  options.detailOutput = true;
  options.loadSlipCsv = true;
  options.profileSteps = {1, 100, 5000};
  options.units = UnitSystem::SI;
  const BatchResult result = runParameterFile(example.path, options, clock);
  ASSERT_TRUE(result.succeeded) << result.message;
  EXPECT_NE(result.message.find(": 141 steps,"), std::string::npos) << result.message;
  EXPECT_NE(result.message.find("τbumax 50.00"), std::string::npos) << result.message;
  const std::vector<std::string> files = {
      example.dir.file("bilinear.T-S"), example.dir.file("bilinear.csv"),
      example.dir.file("bilinear.step1.csv"), example.dir.file("bilinear.step100.csv")};
  EXPECT_EQ(result.files, files);
  EXPECT_EQ(reportLines(readBytes(files[0])).size(), 3u + 141u * 35u);
  EXPECT_EQ(reportLines(readBytes(files[1])).size(), 1u + 141u);
  EXPECT_EQ(reportLines(readBytes(files[3])).size(), 1u + 31u);
  // The CSV files follow the units asked for; the report stays in kgf-cm.
  EXPECT_NE(readBytes(files[1]).find("loaded-end force (kN)"), std::string::npos);
  EXPECT_NE(readBytes(files[3]).find("bar force (kN)"), std::string::npos);
}

TEST(BatchRun, FailuresNameTheFileAndReason) {
  testing::TempDir dir;
  const testing::FixedClock clock;
  const BatchResult missing = runParameterFile(dir.file("nope.kvt"), {}, clock);
  EXPECT_FALSE(missing.succeeded);
  EXPECT_NE(missing.message.find(dir.file("nope.kvt")), std::string::npos);
  EXPECT_NE(missing.message.find("No such file or directory"), std::string::npos);

  // φ = 0 passes no bond force: the average bond stress has a zero divisor at step 1.
  const ExampleCopy example("default.kvt");
  replaceEntry(example, "4.00", "0");
  BatchOptions options;
  options.loadSlipCsv = true;
  options.figureFormats = {FigureFormat::Svg};
  const BatchResult failed = runParameterFile(example.path, options, clock);
  EXPECT_FALSE(failed.succeeded);
  EXPECT_TRUE(failed.message.starts_with(example.path + ": ")) << failed.message;
  EXPECT_TRUE(failed.message.ends_with("No step finished, so no CSV file or figure was written."))
      << failed.message;
  EXPECT_EQ(failed.files, std::vector<std::string>{example.dir.file("default.T-S")});
}

TEST(BatchRun, FiguresGoBesideTheResultFileInEveryFormat) {
  const ExampleCopy example("bilinear.kvt");
  const testing::FixedClock clock;
  BatchOptions options;
  options.figureFormats = {FigureFormat::Png, FigureFormat::Svg, FigureFormat::Pdf};
  options.profileSteps = {1, 500};
  const BatchResult result = runParameterFile(example.path, options, clock);
  ASSERT_TRUE(result.succeeded) << result.message;
  std::vector<std::string> expected = {example.dir.file("bilinear.T-S"),
                                       example.dir.file("bilinear.step1.csv")};
  // The profile of step 44, where Pbumax is first reached, and of step 1; step 500 never runs.
  for (const char* figure :
       {"load-slip", "tau-slip", "bond-law", "profile.step1", "profile.step44"})
    for (const char* format : {"png", "svg", "pdf"})
      expected.push_back(example.dir.file(std::string("bilinear.") + figure + "." + format));
  EXPECT_EQ(result.files, expected);
  for (std::size_t k = 2; k < result.files.size(); ++k) {
    const std::string bytes = readBytes(result.files[k]);
    const std::string magic = k % 3 == 2 ? "\x89PNG" : k % 3 == 0 ? "<?xml" : "%PDF";
    EXPECT_TRUE(bytes.starts_with(magic)) << result.files[k];
  }
}

TEST(BatchRun, AFailedRunStillWritesTheStepsItFinished) {
  // C2 = 0: the descending branch never falls, so ds grows past the single-precision range.
  const ExampleCopy example("default.kvt");
  replaceEntry(example, "9.98", "0");
  const testing::FixedClock clock;
  BatchOptions options;
  options.loadSlipCsv = true;
  options.figureFormats = {FigureFormat::Svg};
  const BatchResult failed = runParameterFile(example.path, options, clock);
  EXPECT_FALSE(failed.succeeded);
  EXPECT_TRUE(
      failed.message.ends_with("The CSV files and figures hold the 5280 steps it finished."))
      << failed.message;
  ASSERT_EQ(failed.files.size(), 6u);
  EXPECT_EQ(reportLines(readBytes(example.dir.file("default.csv"))).size(), 1u + 5280u);
  EXPECT_EQ(failed.files[5], example.dir.file("default.profile.step288.svg"));
}

}  // namespace
}  // namespace kvt
