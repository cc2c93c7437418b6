// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>

#include "batch_invocation.h"
#include "report_reading.h"
#include "support/file_bytes.h"
#include "support/fixed_clock.h"
#include "support/temp_dir.h"

namespace kvt {
namespace {

namespace fs = std::filesystem;
using testing::batch;
using testing::example;
using testing::Job;
using testing::readBytes;
using testing::StudyFolder;

// Every file of a folder by name, with its bytes.
std::map<std::string, std::string> folder(const fs::path& dir) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(dir))
    files[entry.path().filename().string()] = readBytes(entry.path());
  return files;
}

std::vector<std::string> csvLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::istringstream in(bytes);
  for (std::string line; std::getline(in, line);) {
    EXPECT_TRUE(line.ends_with('\r')) << line;
    line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> fields(const std::string& line) {
  std::vector<std::string> all;
  std::istringstream in(line);
  for (std::string field; std::getline(in, field, ',');)
    all.push_back(field);
  return all;
}

TEST(Study, OutputsAreTheSameForAnyNumberOfThreads) {
  const StudyFolder study;
  const auto run = [&](const char* jobs) {
    const std::string out = study.dir.file(std::string("j") + jobs);
    const Job job = batch({"--vary", "bar=D10,D13", "--vary", "pw=0.2:0.6:0.2", "--keep-runs",
                           "--csv", "--find-lb", "--fy", "3000", "--figures", "svg,pdf", "-j", jobs,
                           "--output-dir", out, study.base});
    EXPECT_EQ(job.status, 0) << job.err;
    return folder(out);
  };
  const auto one = run("1");
  // The summary and its three figures, and each run's result file, CSV and four figures.
  EXPECT_EQ(one.size(), 1u + 3u * 2u + 6u * (2u + 4u * 2u));
  EXPECT_TRUE(one.contains("beam1.study.csv"));
  EXPECT_TRUE(one.contains("beam1.study.required-lb.pdf"));
  EXPECT_TRUE(one.contains("beam1.bar=D13.pw=0.4.load-slip.pdf"));
  EXPECT_TRUE(one.contains("beam1.bar=D13.pw=0.4.T-S"));
  EXPECT_TRUE(one.contains("beam1.bar=D13.pw=0.4.csv"));
  EXPECT_EQ(run("4"), one);
}

TEST(Study, ShardsAddUpToTheWholeSummary) {
  const StudyFolder study;
  const std::vector<std::string> grid = {"--vary", "lb=10:70:10", "--vary", "pw=0.2,0.4"};
  const auto summary = [&](std::vector<std::string> extra) {
    std::vector<std::string> args = grid;
    args.insert(args.end(), extra.begin(), extra.end());
    args.push_back(study.base);
    EXPECT_EQ(batch(args).status, 0);
  };
  summary({});
  const auto whole = csvLines(readBytes(study.dir.file("beam1.study.csv")));
  ASSERT_EQ(whole.size(), 1u + 14u);
  std::vector<std::string> merged;
  for (const char* shard : {"1/3", "2/3", "3/3"}) {
    summary({"--shard", shard, "-j2"});
    const std::string name = std::string("beam1.study.shard") + shard[0] + "of3.csv";
    const auto part = csvLines(readBytes(study.dir.file(name)));
    ASSERT_FALSE(part.empty());
    EXPECT_EQ(part.front(), whole.front());
    merged.insert(merged.end(), part.begin() + 1, part.end());
  }
  std::sort(merged.begin(), merged.end(),
            [](const std::string& a, const std::string& b) { return std::stoi(a) < std::stoi(b); });
  EXPECT_EQ(merged, std::vector<std::string>(whole.begin() + 1, whole.end()));
}

void expectStraddled(const std::vector<std::string>& given, const std::string& method) {
  const StudyFolder study;
  std::vector<std::string> args = given;
  for (const char* arg : {"--find-lb", "--fy", "3500"})
    args.push_back(arg);
  args.push_back(study.base);
  const Job job = batch(args);
  ASSERT_EQ(job.status, 0) << job.err;
  const auto rows = csvLines(readBytes(study.dir.file("beam1.study.csv")));
  ASSERT_EQ(rows.size(), 2u);
  const auto header = fields(rows[0]);
  const auto row = fields(rows[1]);
  const auto column = [&](const std::string& name) {
    const auto at = std::find(header.begin(), header.end(), name);
    EXPECT_NE(at, header.end()) << name;
    return row.at(static_cast<std::size_t>(at - header.begin()));
  };
  const double yield = std::stod(column("yield force fy*Ab (kgf)"));
  EXPECT_DOUBLE_EQ(yield, 3500.0 * 1.27f);
  const std::string required = column("required lb (cm)");
  const double atRequired = std::stod(column("Pbumax at required lb (kgf)"));
  const double shorter = std::stod(column("Pbumax 0.1 cm shorter (kgf)"));
  EXPECT_GE(atRequired, yield);
  EXPECT_LT(shorter, yield);
  EXPECT_NE(job.out.find("required lb " + required + " cm"), std::string::npos) << job.out;

  EXPECT_EQ(column("method"), method);
  // The search's runs are ordinary runs: lb typed at those two lengths gives the same Pbumax.
  const double lb = std::stod(required);
  std::ostringstream lengths;
  lengths.precision(1);
  lengths << std::fixed << lb - 0.1 << "," << lb;
  ASSERT_EQ(batch({"--method", method, "--vary", "lb=" + lengths.str(), study.base}).status, 0);
  const auto check = csvLines(readBytes(study.dir.file("beam1.study.csv")));
  ASSERT_EQ(check.size(), 3u);
  EXPECT_EQ(std::stod(fields(check[1]).at(7)), shorter);
  EXPECT_EQ(std::stod(fields(check[2]).at(7)), atRequired);
}

// By either method: the converged analysis, the default for the search, and the march of
// segments when asked for.
TEST(Study, TheRequiredLengthIsStraddledByItsConfirmingRuns) {
  for (const std::string method : {"converged", "segments"}) {
    SCOPED_TRACE(method);
    const std::vector<std::string> given = method == "segments"
                                               ? std::vector<std::string>{"--method", "segments"}
                                               : std::vector<std::string>{};
    expectStraddled(given, method);
  }
}

// What the march makes of the runs' bars is told once for the study, not once per run.
TEST(Study, MarchNotesAreToldOnceForTheStudy) {
  const StudyFolder study;
  const Job job = batch({"--vary", "lb=20,200", study.base});
  ASSERT_EQ(job.status, 0) << job.err;
  EXPECT_NE(job.err.find(study.base +
                         ": 1 of 2 runs (run 1) analyse another length than lb, run 1: lb 20 is "
                         "analysed as 20.15 cm: 31 segments of 0.65 cm; --method converged "
                         "takes lb itself"),
            std::string::npos)
      << job.err;
  EXPECT_NE(job.err.find(study.base + ": 1 of 2 runs (run 2): the rising branch is not resolved"),
            std::string::npos)
      << job.err;
  const std::string converged =
      batch({"--method", "converged", "--vary", "lb=20,200", study.base}).err;
  EXPECT_EQ(converged.find("analyse another length"), std::string::npos) << converged;
  EXPECT_EQ(converged.find("rising branch"), std::string::npos) << converged;
}

TEST(Study, KeptRunsThatEndBeforeAProfileStepAreNamed) {
  const StudyFolder study;
  const Job job = batch({"--vary", "lb=10,20,30", "--keep-runs", "--profile-csv", "1,400",
                         "--output-dir", study.dir.file("out"), study.base});
  ASSERT_EQ(job.status, 0) << job.err;
  EXPECT_NE(job.err.find(study.base + ": 1 of 3 runs (run 1) ended before a --profile-csv step"),
            std::string::npos)
      << job.err;
  EXPECT_FALSE(fs::exists(study.dir.file("out/beam1.lb=10.step400.csv")));
  EXPECT_TRUE(fs::exists(study.dir.file("out/beam1.lb=20.step400.csv")));
}

TEST(Study, AFailedRunIsARowThatSaysWhyAndTheJobFails) {
  const StudyFolder study;
  const Job job = batch({"--vary", "phi=0,4", "--units", "si", study.base});
  EXPECT_EQ(job.status, 1);
  EXPECT_NE(job.err.find("1 of 2 runs failed (run 1)"), std::string::npos) << job.err;
  const auto rows = csvLines(readBytes(study.dir.file("beam1.study.csv")));
  ASSERT_EQ(rows.size(), 3u);
  // In SI throughout, φ among the lengths; its text as typed keeps the window's unit.
  EXPECT_EQ(rows[0],
            "run,phi (mm),phi as typed (cm),outcome,steps,tau_bmax (MPa),tau_bumax (MPa),Pbumax "
            "(kN),loaded-end slip at Pbumax (mm),free-end slip at Pbumax (mm),step at Pbumax,"
            "loaded-end slip at end (mm),bar stress at Pbumax (MPa),method,analysed lb (mm)");
  EXPECT_TRUE(rows[1].starts_with("1,0,0,Arithmetic error (division by zero) ")) << rows[1];
  EXPECT_TRUE(rows[1].ends_with("(φ = 0).,,,,,,,,,,segments,201.49999260902405")) << rows[1];
  EXPECT_TRUE(rows[2].starts_with("2,40,4,finished,432,")) << rows[2];
  EXPECT_FALSE(fs::exists(study.dir.file("beam1.study.csv.part")));
}

// Every column names its unit; a varied entry has its value in the summary's units and its text
// as typed; with fy, whether each bar yields before it pulls out.
TEST(Study, EveryColumnNamesItsUnit) {
  const StudyFolder study;
  const Job job = batch({"--vary", "lb=50,300mm", "--fy", "345MPa", "--units", "si", study.base});
  ASSERT_EQ(job.status, 0) << job.err;
  const auto rows = csvLines(readBytes(study.dir.file("beam1.study.csv")));
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0],
            "run,lb (mm),lb as typed (with unit),outcome,steps,tau_bmax (MPa),tau_bumax (MPa),"
            "Pbumax (kN),loaded-end slip at Pbumax (mm),free-end slip at Pbumax (mm),step at "
            "Pbumax,loaded-end slip at end (mm),bar stress at Pbumax (MPa),yield force fy*Ab (kN),"
            "bar yields before pull-out (yes/no),method,analysed lb (mm)");
  EXPECT_TRUE(rows[1].starts_with("1,50,50mm,finished,")) << rows[1];
  // 5 cm pulls out first; the march analyses 5.2 cm of it.
  EXPECT_TRUE(rows[1].ends_with(",no,segments,51.99999809265137")) << rows[1];
  EXPECT_TRUE(rows[2].starts_with("2,300,300mm,finished,")) << rows[2];
  // 30 cm holds the bar till it yields.
  EXPECT_TRUE(rows[2].ends_with(",yes,segments,305.4999887943268")) << rows[2];
}

TEST(Study, TheStepAtPbumaxIsTheStepOfThePeakProfile) {
  // A bilinear law holds its plateau force over many steps: the summary and the figure of the
  // peak's distribution must name the same step, the one where the plateau was first reached.
  testing::TempDir dir;
  const std::string base = dir.file("bilinear.kvt");
  fs::copy_file(example("bilinear.kvt"), base);
  const Job job = batch({"--vary", "su=0.05", "--keep-runs", "--figures", "svg", base});
  ASSERT_EQ(job.status, 0) << job.err;
  const auto rows = csvLines(readBytes(dir.file("bilinear.study.csv")));
  ASSERT_EQ(rows.size(), 2u);
  const std::string step = fields(rows[1]).at(10);
  EXPECT_TRUE(fs::exists(dir.file("bilinear.su=0.05.profile.step" + step + ".svg"))) << step;
}

TEST(Study, TheSummaryIsNeverWrittenThroughALinkPlantedAsItsPartFile) {
  const StudyFolder study;
  const std::string victim = study.dir.file("victim.txt");
  {
    std::FILE* f = std::fopen(victim.c_str(), "wb");
    std::fputs("keep me", f);
    std::fclose(f);
  }
  fs::create_symlink(victim, study.dir.file("beam1.study.csv.part"));
  const Job job = batch({"--vary", "lb=10,20", study.base});
  EXPECT_NE(job.status, 0);
  EXPECT_NE(job.err.find("beam1.study.csv.part"), std::string::npos) << job.err;
  EXPECT_EQ(readBytes(victim), "keep me");
}

TEST(Study, AnUnreadableBaseFileStopsTheJobBeforeAnythingIsWritten) {
  const StudyFolder study;
  const Job job = batch({"--vary", "lb=10,20", "--output-dir", study.dir.file("out"), study.base,
                         study.dir.file("missing.kvt")});
  EXPECT_EQ(job.status, 2);
  EXPECT_NE(job.err.find("missing.kvt"), std::string::npos) << job.err;
  EXPECT_FALSE(fs::exists(study.dir.file("out")));
  EXPECT_FALSE(fs::exists(study.dir.file("beam1.study.csv")));
}

TEST(PlainRuns, RunSideBySideAndReportInFileOrder) {
  const StudyFolder files;
  std::vector<std::string> args = {"-j3", "--ds", "0.00002", "--output-dir", files.dir.file("out")};
  for (const char* name : {"c.kvt", "a.kvt", "b.kvt"}) {
    fs::copy_file(files.base, files.dir.file(name));
    args.push_back(files.dir.file(name));
  }
  const Job job = batch(args);
  ASSERT_EQ(job.status, 0) << job.err;
  EXPECT_TRUE(job.out.starts_with(files.dir.file("c.kvt") + ": ")) << job.out;
  EXPECT_LT(job.out.find("/c.kvt: "), job.out.find("/a.kvt: "));
  EXPECT_LT(job.out.find("/a.kvt: "), job.out.find("/b.kvt: "));
  // Every result in the output folder, none beside the parameter files; --ds changed the runs.
  EXPECT_EQ(folder(files.dir.file("out")).size(), 3u);
  EXPECT_FALSE(fs::exists(files.dir.file("a.T-S")));
  EXPECT_EQ(job.out.find(" 432 steps"), std::string::npos) << job.out;
}

TEST(PlainRuns, TwoFilesForOneOutputStopTheJobFirst) {
  const StudyFolder files;
  fs::create_directory(files.dir.file("other"));
  fs::copy_file(files.base, files.dir.file("other/beam1.kvt"));
  const Job job =
      batch({"--output-dir", files.dir.file("out"), files.base, files.dir.file("other/beam1.kvt")});
  EXPECT_EQ(job.status, 2);
  EXPECT_NE(job.err.find("would both write"), std::string::npos) << job.err;
  EXPECT_FALSE(fs::exists(files.dir.file("out")));
}

}  // namespace
}  // namespace kvt
