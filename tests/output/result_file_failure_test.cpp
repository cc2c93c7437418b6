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
  if (geteuid() == 0) GTEST_SKIP() << "root ignores folder permissions";
  testing::TempDir dir;
  const auto folder = dir.path() / "locked";
  std::filesystem::create_directory(folder);
  chmod(folder.c_str(), 0555);
  const std::string message = runWithResultFile((folder / "beam1.kvt").string());
  chmod(folder.c_str(), 0755);
  EXPECT_NE(message.find("Permission denied"), std::string::npos) << message;
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

}  // namespace
}  // namespace kvt
