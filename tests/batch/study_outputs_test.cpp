// SPDX-License-Identifier: MIT
// Where a study writes its summary: never over something that is not its own.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>

#include "batch_invocation.h"
#include "files/appending_file.h"
#include "support/file_bytes.h"
#include "support/shared_folder.h"

namespace kvt {
namespace {

namespace fs = std::filesystem;
using testing::batch;
using testing::Job;
using testing::readBytes;
using testing::StudyFolder;

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// A job that waits on a pipe would hang the tests: an alarm ends the process instead.
Job batchWithin20Seconds(std::vector<std::string> args) {
  ::alarm(20);
  Job job = batch(std::move(args));
  ::alarm(0);
  return job;
}

TEST(StudySummary, ADeviceIsWrittenInPlaceAndStaysADevice) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root can make device nodes (mknod)";
  const StudyFolder study;
  const std::string device = study.dir.file("null");
  ASSERT_EQ(::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
  const Job job = batch({"--vary", "lb=10,20", "--summary", device, study.base});
  EXPECT_EQ(job.status, 0) << job.err;
  struct stat info {};
  ASSERT_EQ(::lstat(device.c_str(), &info), 0);
  EXPECT_TRUE(S_ISCHR(info.st_mode)) << "the device node was replaced";
  EXPECT_FALSE(fs::exists(device + ".part"));
}

TEST(StudySummary, ASecondStudyWritingTheSameSummaryFailsAtOnceAndNamesIt) {
  const StudyFolder study;
  const std::string summary = study.dir.file("beam1.study.csv");
  AppendingFile first(summary);  // another study, under way
  first.append("the other study's header\r\n");
  const Job job = batch({"--vary", "lb=10,20", study.base});
  EXPECT_EQ(job.status, 1);
  EXPECT_TRUE(contains(job.err, summary + "\" could not be written: another kvt-batch is "
                                          "writing it now"))
      << job.err;
  first.append("its rows\r\n");
  first.finish();
  EXPECT_EQ(readBytes(summary), "the other study's header\r\nits rows\r\n");
}

TEST(StudySummary, APartFileThatWasThereFirstIsRefusedWithoutWaiting) {
  for (const bool pipe : {true, false}) {
    const StudyFolder study;
    const std::string part = study.dir.file("beam1.study.csv.part");
    if (pipe) {
      ASSERT_EQ(::mkfifo(part.c_str(), 0666), 0);
    } else {
      testing::writeBytes(part, "forged\r\n");
      ::chmod(part.c_str(), 0666);
      if (::chown(part.c_str(), 65534, 65534) != 0) {
        std::cout << "skipped another user's .part: only root can give a file away\n";
        continue;
      }
    }
    const Job job = batchWithin20Seconds({"--vary", "lb=10,20", study.base});
    EXPECT_EQ(job.status, 1);
    EXPECT_TRUE(contains(job.err, part + "\" could not be written: it is there already"))
        << job.err;
    EXPECT_FALSE(fs::exists(study.dir.file("beam1.study.csv")));
    if (!pipe) {
      EXPECT_EQ(readBytes(part), "forged\r\n");
    }
  }
}

TEST(StudySummary, ARefusedLinkIsNamedByItsFullPath) {
  const StudyFolder study;
  const fs::path shared = study.dir.path() / "tmp";
  testing::makeShared(shared);
  if (!testing::plantForeignLink(study.dir.file("victim.csv"), shared / "s.csv"))
    GTEST_SKIP() << "links can be given to another user only as root";
  const Job job =
      batch({"--vary", "lb=10,20", "--summary", (shared / "s.csv").string(), study.base});
  EXPECT_EQ(job.status, 1);
  EXPECT_TRUE(contains(job.err, "\"" + (shared / "s.csv").string() + "\" could not be written"))
      << job.err;
  EXPECT_FALSE(fs::exists(study.dir.file("victim.csv")));
}

// Refused before anything runs: nothing is written, the inputs keep their bytes.
TEST(CommandOutputs, AnOutputThatIsAnInputOrAnotherOutputStopsTheJobFirst) {
  struct Case {
    std::vector<std::string> args;  // the base file beam1.kvt follows
    const char* error;
  };
  const Case cases[] = {
      {{"--vary", "lb=10,20", "--summary", "beam1.kvt"},
       "beam1.kvt\" is the base file beam1.kvt and would be written as the summary of beam1.kvt"},
      {{"--vary", "lb=10,20", "--keep-runs", "--csv", "--summary", "beam1.lb=10.csv"},
       "beam1.lb=10.csv\" would be written both as the summary of beam1.kvt and as a file of run "
       "1 (lb=10) of beam1.kvt"},
      {{"--vary", "lb=10,20", "--figures", "svg", "--summary", "linked.csv"},
       "beam1.kvt\" is the base file beam1.kvt and would be written as the summary"},
      {{"--csv", "--", "beam1.csv"},
       "beam1.csv\" is the parameter file beam1.csv and would be written as an output of "
       "beam1.csv"},
  };
  for (const Case& c : cases) {
    const StudyFolder study;
    const testing::Cwd here(study.dir.path());
    fs::copy_file("beam1.kvt", "beam1.csv");
    fs::create_symlink("beam1.kvt", "linked.csv");
    std::vector<std::string> args = c.args;
    if (args.back() != "beam1.csv") args.push_back("beam1.kvt");
    const Job job = batch(args);
    EXPECT_EQ(job.status, 2) << c.error;
    EXPECT_TRUE(contains(job.err, c.error)) << job.err;
    EXPECT_EQ(readBytes("beam1.kvt"), readBytes(testing::example("default.kvt"))) << c.error;
    EXPECT_EQ(readBytes("beam1.csv"), readBytes("beam1.kvt")) << c.error;
    EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 3) << c.error;
  }
}

}  // namespace
}  // namespace kvt
