// SPDX-License-Identifier: MIT
// kvt-batch with another bond law than kvt's own, and the design codes beside its lengths.
#include <gtest/gtest.h>

#include <fstream>

#include "batch_invocation.h"

namespace kvt {
namespace {

using testing::batch;
using testing::StudyFolder;

std::string text(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

struct LawFolder : StudyFolder {
  LawFolder() {
    std::ofstream(dir.file("c30.toml")) << "law = \"mc2010\"\nfck = \"30 MPa\"\nbond = \"good\"\n"
                                           "failure = \"pull-out\"\nc_clear = \"8 mm\"\n";
  }
};

TEST(LawBatch, ARunWithAnotherLawWritesNoReportAndNamesTheLawInItsFiles) {
  const LawFolder f;
  const testing::Job job = batch({"--law", f.dir.file("c30.toml"), "--csv", f.base});
  EXPECT_EQ(job.status, 0) << job.err;
  EXPECT_NE(job.out.find("law fib MC2010 → no report written (its header describes kvt's own "
                         "law); " +
                         f.dir.file("beam1.csv")),
            std::string::npos)
      << job.out;
  EXPECT_FALSE(std::filesystem::exists(f.dir.file("beam1.T-S")));
  const std::string csv = text(f.dir.file("beam1.csv"));
  EXPECT_TRUE(
      csv.starts_with("# bond law: fib MC2010: fck = 30 MPa, bond good, failure "
                      "pull-out, c_clear = 8 mm\r\nstep,"))
      << csv.substr(0, 200);
}

TEST(LawBatch, ALawFileThatCannotBeReadStopsTheJobBeforeAnythingIsWritten) {
  const LawFolder f;
  std::ofstream(f.dir.file("bad.toml")) << "law = \"mc2010\"\nfcm = \"38\"\n";
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--law", f.dir.file("bad.toml"), f.base},
        std::vector<std::string>{"--vary", "law.fcm=30,40", f.base},
        std::vector<std::string>{"--law", f.dir.file("missing.toml"), f.base}}) {
    const testing::Job job = batch(args);
    EXPECT_EQ(job.status, 2);
    EXPECT_FALSE(std::filesystem::exists(f.dir.file("beam1.T-S"))) << job.err;
    EXPECT_FALSE(std::filesystem::exists(f.dir.file("beam1.study.csv"))) << job.err;
  }
  EXPECT_NE(batch({"--law", f.dir.file("bad.toml"), f.base})
                .err.find("bad.toml: fcm: \"38\" has no unit"),
            std::string::npos);
}

TEST(LawBatch, AStudyVariesTheLawsEntriesAndNamesTheLawOfEachRun) {
  const LawFolder f;
  const testing::Job job =
      batch({"--law", f.dir.file("c30.toml"), "--vary", "law.fcm=30,40MPa", f.base});
  EXPECT_EQ(job.status, 0) << job.err;
  const std::string summary = text(f.dir.file("beam1.study.csv"));
  EXPECT_TRUE(summary.starts_with("run,law.fcm (MPa),law.fcm as typed (with unit),law,outcome,"))
      << summary;
  EXPECT_NE(summary.find("\r\n1,30,30MPa,\"fib MC2010: fcm = 30 MPa, bond good, failure pull-out, "
                         "c_clear = 8 mm\",finished,"),
            std::string::npos)
      << summary;
  EXPECT_NE(summary.find("\r\n2,40,40MPa,\"fib MC2010: fcm = 40 MPa,"), std::string::npos);
}

TEST(LawBatch, TheCodesAlonePrintTheirLengthsAndWriteNothing) {
  const LawFolder f;
  const testing::Job job =
      batch({"--codes", "ec2-2004,mc2010", "--fy", "345MPa", "--cover", "30mm", f.base});
  EXPECT_EQ(job.status, 0) << job.err;
  EXPECT_NE(job.out.find("fy = 345 MPa"), std::string::npos) << job.out;
  EXPECT_NE(job.out.find("  cover 30 mm, spacing single bar (default)"), std::string::npos);
  EXPECT_NE(job.out.find("  EN 1992-1-1:2004: "), std::string::npos);
  EXPECT_NE(job.out.find("  fib MC2010: "), std::string::npos);
  EXPECT_EQ(job.out.find("ACI 318-19:"), std::string::npos);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(f.dir.path()), {}), 2);
}

TEST(LawBatch, TheCodesStandBesideTheRequiredLength) {
  const LawFolder f;
  const testing::Job job = batch(
      {"--find-lb", "--fy", "3500", "--codes", "aci318,ec2-2023", "--vary", "bar=D13,D16", f.base});
  EXPECT_EQ(job.status, 0) << job.err;
  EXPECT_NE(job.out.find("  codes: cover 40 mm (default)"), std::string::npos) << job.out;
  const std::string summary = text(f.dir.file("beam1.study.csv"));
  EXPECT_NE(summary.find(",Pbumax 0.1 cm shorter (kgf),ACI 318-19 design ld (cm),"
                         "EN 1992-1-1:2023 design lbd (cm),method,analysed lb (cm)\r\n"),
            std::string::npos)
      << summary;
  // D13 at fy = 3500 kgf/cm² in σB = 360 kgf/cm² concrete: ld 30.5 cm, lbd 18.0 cm.
  EXPECT_NE(summary.find(",30.5,18.0,converged,20\r\n2,D16,"), std::string::npos) << summary;
}

}  // namespace
}  // namespace kvt
