// SPDX-License-Identifier: MIT
// A result file that cannot be created or written ends the run with an error that names the
// file and the system's reason; what was written before stays.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "analysis/pull_out_run.h"
#include "output/result_file.h"
#include "report_reading.h"
#include "support/committed_defaults.h"
#include "support/fixed_clock.h"
#include "support/temp_dir.h"
#include "support/unprivileged.h"

namespace kvt {
namespace {

using testing::committedDefaults;

// Runs the default analysis with its result file derived from `parameterPath`; returns the
// error's message, or "" when the run finished.
std::string runWithResultFile(const std::string& parameterPath, std::int16_t detail = 0) {
  AnalysisParameters p = committedDefaults();
  p.detailOutput = detail;
  p.resultFilePath = parameterPath;
  testing::FixedClock clock;
  ResultFile file(p, clock);
  PullOutRun run(p, file);
  try {
    run.run();
  } catch (const ResultFileError& error) {
    return error.what();
  }
  return "";
}

TEST(ResultFileFailure, CreateFailuresNameTheFileAndReason) {
  testing::TempDir dir;
  std::filesystem::create_directory(dir.path() / "taken.T-S");
  struct Case {
    std::string parameterPath;
    std::string reason;
  };
  const Case cases[] = {
      {dir.file("missing/beam1.kvt"), "No such file or directory"},
      {dir.file("taken.kvt"), "Is a directory"},
  };
  for (const Case& c : cases) {
    const std::string message = runWithResultFile(c.parameterPath);
    EXPECT_NE(message.find(resultFileName(c.parameterPath)), std::string::npos) << message;
    EXPECT_NE(message.find("could not be created"), std::string::npos) << message;
    EXPECT_NE(message.find(c.reason), std::string::npos) << message;
  }
}

TEST(ResultFileFailure, ReadOnlyFolderCannotHoldTheFile) {
  testing::TempDir dir;
  const auto folder = dir.path() / "locked";
  std::filesystem::create_directory(folder);
  chmod(folder.c_str(), 0555);
  std::string message;
  {
    testing::Unprivileged user;
    if (!user.active()) GTEST_SKIP() << "cannot drop root rights here";
    message = runWithResultFile((folder / "beam1.kvt").string());
  }
  chmod(folder.c_str(), 0755);
  EXPECT_NE(message.find("beam1.T-S\" could not be created: Permission denied"), std::string::npos)
      << message;
}

// An earlier report made read-only is not overwritten: the run stops before its first step and
// the old report keeps its bytes.
TEST(ResultFileFailure, ReadOnlyEarlierReportIsKept) {
  testing::TempDir dir;
  const std::string earlier = dir.file("beam1.T-S");
  testing::writeBytes(earlier, "earlier report\r\n");
  chmod(earlier.c_str(), 0444);
  std::string message;
  {
    testing::Unprivileged user;
    if (!user.active()) GTEST_SKIP() << "cannot drop root rights here";
    message = runWithResultFile(dir.file("beam1.kvt"));
  }
  EXPECT_NE(message.find("beam1.T-S\" could not be created: Permission denied"), std::string::npos)
      << message;
  EXPECT_EQ(testing::readBytes(earlier), "earlier report\r\n");
}

// A result file name that leads to /dev/full: creating it works, every write fails.
TEST(ResultFileFailure, FullDiskEndsTheRunWithAWriteError) {
  testing::TempDir dir;
  std::filesystem::create_symlink("/dev/full", dir.path() / "full.T-S");
  for (const std::int16_t detail : {std::int16_t{0}, std::int16_t{1}}) {
    const std::string message = runWithResultFile(dir.file("full.kvt"), detail);
    EXPECT_NE(message.find("full.T-S\" could not be written"), std::string::npos) << message;
    EXPECT_NE(message.find("No space left on device"), std::string::npos) << message;
  }
}

// Removes the result file's folder at a chosen step of the run.
class RemoveFolderAt : public RunObserver {
 public:
  RemoveFolderAt(std::filesystem::path folder, int step)
      : folder_(std::move(folder)), step_(step) {}
  void stepStarted(int step, double, float) override {
    if (step == step_) std::filesystem::remove_all(folder_);
  }

 private:
  std::filesystem::path folder_;
  int step_;
};

// On Linux the open file survives its folder's removal and every write succeeds, but the report
// is gone: the run must not end as if it had been written.
TEST(ResultFileFailure, FolderRemovedDuringTheRunIsReportedAtTheEnd) {
  testing::TempDir dir;
  const auto folder = dir.path() / "results";
  std::filesystem::create_directory(folder);
  AnalysisParameters p = committedDefaults();
  p.resultFilePath = (folder / "beam1.kvt").string();
  testing::FixedClock clock;
  ResultFile file(p, clock);
  RemoveFolderAt remove(folder, 100);
  ObserverList observers;
  observers.add(file);
  observers.add(remove);
  PullOutRun run(p, observers);
  try {
    run.run();
    FAIL() << "the run ended as if its report had been written";
  } catch (const ResultFileError& error) {
    EXPECT_NE(std::string(error.what()).find("beam1.T-S\" was removed"), std::string::npos)
        << error.what();
  }
  EXPECT_EQ(run.step(), 432);
}

}  // namespace
}  // namespace kvt
