// SPDX-License-Identifier: MIT
#include "batch/batch_run.h"
#include "batch/batch_job.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "report_reading.h"
#include "support/file_bytes.h"
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
  const BatchResult result = runAndReport(example.path, {}, clock);
  ASSERT_TRUE(result.succeeded) << result.message;
  // 20 cm in segments of 0.65 cm: the march's bar is 20.15 cm long, and kvt-batch says so.
  EXPECT_EQ(result.warnings,
            std::vector<std::string>{example.path + ": lb 20 is analysed as 20.15 cm: 31 "
                                                    "segments of 0.65 cm"});
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
  const BatchResult result = runAndReport(example.path, options, clock);
  ASSERT_TRUE(result.succeeded) << result.message;
  EXPECT_NE(result.message.find(": 141 steps,"), std::string::npos) << result.message;
  // The result line in the units asked for: 50 kgf/cm² is 4.90 MPa.
  EXPECT_NE(result.message.find("τbumax 4.90 MPa, Pbumax 39.52 kN"), std::string::npos)
      << result.message;
  const std::vector<std::string> files = {
      example.dir.file("bilinear.T-S"), example.dir.file("bilinear.csv"),
      example.dir.file("bilinear.step1.csv"), example.dir.file("bilinear.step100.csv")};
  EXPECT_EQ(result.files, files);
  EXPECT_EQ(result.warnings,
            (std::vector<std::string>{
                example.path + ": lb 20 is analysed as 20.15 cm: 31 segments of 0.65 cm",
                example.path + ": --profile-csv step 5000 lies beyond the run's last step, 141: "
                               "no CSV file or figure for it"}));
  EXPECT_EQ(reportLines(readBytes(files[0])).size(), 3u + 141u * 35u);
  EXPECT_EQ(reportLines(readBytes(files[1])).size(), 1u + 141u);
  EXPECT_EQ(reportLines(readBytes(files[3])).size(), 1u + 31u);
  // The CSV files follow the units asked for; the report stays in kgf-cm.
  EXPECT_NE(readBytes(files[1]).find("loaded-end force (kN)"), std::string::npos);
  EXPECT_NE(readBytes(files[3]).find("bar force (kN)"), std::string::npos);
}

// The march of segments, chosen or by default, writes today's files to the last byte: the
// golden files were written by kvt-batch before it had a second method.
TEST(BatchRun, MethodSegmentsChangesNoByte) {
  for (const std::optional<RunMethod> method :
       {std::optional<RunMethod>(), std::optional(RunMethod::Segments)}) {
    const ExampleCopy example("default.kvt");
    const testing::FixedClock clock;
    BatchOptions options;
    options.method = method;
    options.loadSlipCsv = true;
    options.profileSteps = {251};
    const BatchResult result = runAndReport(example.path, options, clock);
    ASSERT_TRUE(result.succeeded) << result.message;
    for (const char* name : {"default.csv", "default.step251.csv"})
      EXPECT_EQ(readBytes(example.dir.file(name)),
                readBytes(sourceFile(std::string("tests/batch/golden/") + name)))
          << name;
  }
}

// --method converged: the CSV file is the converged curve over lb itself, the result file is
// still the march's report, byte for byte, and the run's line says which gave which.
TEST(BatchRun, ConvergedWritesItsCurveBesideTheMarchsReport) {
  const ExampleCopy example("default.kvt");
  const testing::FixedClock clock;
  BatchOptions options;
  options.method = RunMethod::Converged;
  options.loadSlipCsv = true;
  const BatchResult result = runAndReport(example.path, options, clock);
  ASSERT_TRUE(result.succeeded) << result.message;
  const std::string report = example.dir.file("default.T-S");
  const std::string csv = example.dir.file("default.csv");
  EXPECT_EQ(result.files, (std::vector<std::string>{report, csv}));
  EXPECT_TRUE(result.message.starts_with(example.path + ": converged over lb = 20 cm: "))
      << result.message;
  EXPECT_NE(result.message.find("Pbumax 7710 kgf → " + csv +
                                "; segments: 432 steps, Pbumax "
                                "7798 kgf → " +
                                report),
            std::string::npos)
      << result.message;
  const auto lines = reportLines(readBytes(report));
  auto expected = reportLines(readBytes(sourceFile("tests/output/golden/default-summary.t-s")));
  expected[0] = lines[0];  // names the parameter file
  EXPECT_EQ(lines, expected);
  const auto rows = reportLines(readBytes(csv));
  EXPECT_GT(rows.size(), 200u);
  EXPECT_EQ(rows.front(),
            "step,free-end slip s0 (cm),loaded-end slip (cm),loaded-end force (kgf),average bond "
            "stress (kgf/cm2)");
}

TEST(BatchRun, FailuresNameTheFileAndReason) {
  testing::TempDir dir;
  const testing::FixedClock clock;
  const BatchResult missing = runAndReport(dir.file("nope.kvt"), {}, clock);
  EXPECT_FALSE(missing.succeeded);
  EXPECT_NE(missing.message.find(dir.file("nope.kvt")), std::string::npos);
  EXPECT_NE(missing.message.find("No such file or directory"), std::string::npos);
}

// A run bound to fail at once writes nothing: the report and CSV file of the run before stay
// byte for byte, and the message is the run's own.
TEST(BatchRun, ADoomedRunLeavesThePreviousOutputsByteForByte) {
  struct Case {
    const char* line;
    const char* value;
    const char* cause;
  };
  const Case cases[] = {
      {"20.00", "abc", "no segment"}, {"4.00", "0", "φ = 0"},      {"1.27", "0", "Es·Ab is zero"},
      {"2.100", "3e32", "Es·Ab"},     {"1.30", "0", "db is zero"}, {"102.0", "0", "β·db"},
      {"3.25", "0", "ru is zero"},
  };
  const testing::FixedClock clock;
  BatchOptions options;
  options.loadSlipCsv = true;
  for (const auto& [line, value, cause] : cases) {
    const ExampleCopy example("default.kvt");
    ASSERT_TRUE(runAndReport(example.path, options, clock).succeeded);
    const std::string report = readBytes(example.dir.file("default.T-S"));
    const std::string csv = readBytes(example.dir.file("default.csv"));
    replaceEntry(example, line, value);
    const BatchResult failed = runAndReport(example.path, options, clock);
    EXPECT_FALSE(failed.succeeded);
    EXPECT_NE(failed.message.find(cause), std::string::npos) << failed.message;
    EXPECT_TRUE(failed.message.ends_with(" Nothing was written.")) << failed.message;
    EXPECT_TRUE(failed.files.empty()) << value;
    EXPECT_EQ(readBytes(example.dir.file("default.T-S")), report) << line << " → " << value;
    EXPECT_EQ(readBytes(example.dir.file("default.csv")), csv) << line << " → " << value;
  }
}

// A saved case runs as saved: the Δl of the file, not db/2 of its db.
TEST(BatchRun, TheFilesDeltaLIsRunWhateverItsDb) {
  const ExampleCopy example("default.kvt");
  replaceEntry(example, "1.30", "1.91");
  replaceEntry(example, "0.65", "0.20");
  const testing::FixedClock clock;
  const BatchResult result = runAndReport(example.path, {}, clock);
  ASSERT_TRUE(result.succeeded) << result.message;
  const auto lines = reportLines(readBytes(example.dir.file("default.T-S")));
  EXPECT_NE(lines.at(1).find("db = 1.91 "), std::string::npos) << lines.at(1);
  EXPECT_TRUE(lines.at(1).ends_with("Δl = 0.2 ")) << lines.at(1);
}

// Something else under a parameter file's name is run all the same, with one warning.
TEST(BatchRun, WarnsOfAFileThatDoesNotLookLikeAParameterFile) {
  testing::TempDir dir;
  std::string bytes;
  for (int k = 0; k < 20; ++k)
    bytes += "step,slip (cm),force (kgf)\r\n";
  testing::writeBytes(dir.file("curve.kvt"), bytes);
  const testing::FixedClock clock;
  const BatchResult result = runAndReport(dir.file("curve.kvt"), {}, clock);
  EXPECT_EQ(result.warnings,
            std::vector<std::string>{dir.file("curve.kvt") +
                                     ": does not look like a parameter file (18 of its 18 "
                                     "numeric lines hold no number); it is run as one"});
  EXPECT_FALSE(result.succeeded);  // every entry 0: db = 0
}

// The bar is elastic in the analysis: a run that loads a bar of 1 cm² beyond 7000 kgf/cm² says
// the bar would have yielded first; with fy the result line says which comes first, and the
// load-slip figure draws fy·Ab.
TEST(BatchRun, SaysWhenTheBarWouldHaveYieldedFirst) {
  const ExampleCopy example("default.kvt");
  replaceEntry(example, "1.27", "1.00");  // Ab
  const testing::FixedClock clock;
  BatchOptions options;
  options.fy = 3500;
  options.figureFormats = {FigureFormat::Svg};
  const BatchResult result = runAndReport(example.path, options, clock);
  ASSERT_TRUE(result.succeeded) << result.message;
  EXPECT_NE(result.message.find(
                "Pbumax 7454 kgf; the bar yields before it pulls out: fy·Ab = 3500 kgf ≤ Pbumax "
                "= 7454 kgf → "),
            std::string::npos)
      << result.message;
  EXPECT_EQ(result.warnings,
            (std::vector<std::string>{
                example.path + ": lb 20 is analysed as 20.15 cm: 31 segments of 0.65 cm",
                example.path + ": the bar stress at Pbumax, 7454 kgf/cm², is beyond any "
                               "deformed bar's yield stress (7000 kgf/cm²): the bar would "
                               "have yielded first (the analysis takes it as elastic)"}));
  EXPECT_NE(
      readBytes(example.dir.file("default.load-slip.svg")).find("yield force fy·Ab = 3500 kgf"),
      std::string::npos);
}

TEST(BatchRun, FiguresGoBesideTheResultFileInEveryFormat) {
  const ExampleCopy example("bilinear.kvt");
  const testing::FixedClock clock;
  BatchOptions options;
  options.figureFormats = {FigureFormat::Png, FigureFormat::Svg, FigureFormat::Pdf};
  options.profileSteps = {1, 500};
  const BatchResult result = runAndReport(example.path, options, clock);
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
  const BatchResult failed = runAndReport(example.path, options, clock);
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
