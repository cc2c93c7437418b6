// SPDX-License-Identifier: MIT
// A result file that cannot be created or written ends the run with an error that names the
// file and the system's reason; what was written before stays.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <optional>
#include <string>

#include "analysis/pull_out_run.h"
#include "output/result_file.h"
#include "report_reading.h"
#include "support/committed_defaults.h"
#include "support/fixed_clock.h"
#include "support/shared_folder.h"
#include "support/temp_dir.h"
#include "support/unprivileged.h"

namespace kvt {
namespace {

using testing::committedDefaults;

// Runs `p` with its result file, and `extra` watching when given; returns the result file
// error's message, or "" when the run ended, and in `steps` the step at which it ended.
std::string runReport(const AnalysisParameters& p, RunObserver* extra = nullptr,
                      int* steps = nullptr) {
  testing::FixedClock clock;
  ResultFile file(p, clock);
  ObserverList observers;
  observers.add(file);
  if (extra != nullptr) observers.add(*extra);
  PullOutRun run(p, observers);
  std::string message;
  try {
    run.run();
  } catch (const ResultFileError& error) {
    message = error.what();
  }
  if (steps != nullptr) *steps = run.step();
  return message;
}

// The default analysis with its result file derived from `parameterPath`.
std::string runWithResultFile(const std::string& parameterPath, std::int16_t detail = 0,
                              int* steps = nullptr) {
  AnalysisParameters p = committedDefaults();
  p.detailOutput = detail;
  p.resultFilePath = parameterPath;
  return runReport(p, nullptr, steps);
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

// The file size limit stands in for a disk that fills during the run.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) : oldHandler_(std::signal(SIGXFSZ, SIG_IGN)) {
    getrlimit(RLIMIT_FSIZE, &previous_);
    rlimit small = previous_;
    small.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &small);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, oldHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit previous_{};
  void (*oldHandler_)(int);
};

// A disk that fills in the middle of a run is reported in the step whose lines no longer fit,
// and the report ends with the last line it holds whole.
TEST(ResultFileFailure, DiskFillingDuringTheRunIsReportedAtThatStep) {
  for (const std::int16_t detail : {std::int16_t{0}, std::int16_t{1}}) {
    testing::TempDir dir;
    int step = 0;
    std::string message;
    {
      FileSizeLimit limit(detail != 0 ? 100000 : 4000);
      message = runWithResultFile(dir.file("beam1.kvt"), detail, &step);
    }
    EXPECT_NE(message.find("beam1.T-S\" could not be written: File too large"), std::string::npos)
        << message;
    const auto lines = testing::reportLines(testing::readBytes(dir.file("beam1.T-S")));
    const auto count = [&](const char* start) {
      return std::count_if(lines.begin(), lines.end(),
                           [&](const std::string& line) { return line.starts_with(start); });
    };
    if (detail != 0) {
      EXPECT_EQ(count("step ="), step) << "the failing step's block is cut short";
      EXPECT_EQ(count("s.loaded end"), step - 1);
    } else {
      EXPECT_EQ(lines.size(), 4u + static_cast<std::size_t>(step - 1));
    }
    EXPECT_LT(step, 100);
  }
}

// Starts a second run with a record of its own at a chosen step of the first.
class SecondRunAt : public RunObserver {
 public:
  SecondRunAt(AnalysisParameters p, int step) : p_(std::move(p)), step_(step) {}
  void stepStarted(int step, double, float) override {
    if (step == step_) message = runReport(p_);
  }
  std::optional<std::string> message;

 private:
  AnalysisParameters p_;
  int step_;
};

// "beam1.kvt" and "beam1.bak" both give "beam1.T-S": while one run writes it, a second one is
// refused with a message naming the file and the first run's parameter file, and the first
// run's report stays whole.
TEST(ResultFileFailure, ASecondRunOfTheSameReportIsRefused) {
  testing::TempDir dir;
  AnalysisParameters first = committedDefaults();
  first.parameterFilePath = first.resultFilePath = dir.file("beam1.kvt");
  AnalysisParameters second = first;
  second.parameterFilePath = second.resultFilePath = dir.file("beam1.bak");
  SecondRunAt other(second, 100);
  EXPECT_EQ(runReport(first, &other), "");
  ASSERT_TRUE(other.message.has_value());
  EXPECT_EQ(*other.message, "The result file \"" + dir.file("beam1.T-S") +
                                "\" is being written by another run (of \"" +
                                dir.file("beam1.kvt") +
                                "\"). This run was not started, so that the two reports do not "
                                "mix: wait until the other run has ended, or give this parameter "
                                "file another name.");
  const auto lines = testing::reportLines(testing::readBytes(dir.file("beam1.T-S")));
  ASSERT_EQ(lines.size(), 436u);
  EXPECT_NE(lines[0].find("beam1.kvt"), std::string::npos);
}

// A relative name resolves against the current folder, which the file window changes: the
// message gives the full path.
TEST(ResultFileFailure, MessagesNameTheFullPath) {
  testing::TempDir dir;
  testing::Cwd cwd(dir.path());
  const std::string message = runWithResultFile("missing/beam1.kvt");
  EXPECT_NE(message.find("\"" + dir.file("missing/beam1.T-S") + "\" could not be created: No such"),
            std::string::npos)
      << message;
}

// A report name in a folder every user may write to, where another user planted a link to one of
// this user's files: the link is not followed and the file keeps its bytes.
TEST(ResultFileFailure, ForeignLinkInASharedFolderIsNotFollowed) {
  testing::TempDir dir;
  const auto shared = dir.path() / "tmp";
  testing::makeShared(shared);
  testing::writeBytes(dir.file("precious.txt"), "precious");
  if (!testing::plantForeignLink(dir.path() / "precious.txt", shared / "beam1.T-S"))
    GTEST_SKIP() << "links can be given to another user only as root";
  const std::string message = runWithResultFile((shared / "beam1.kvt").string());
  EXPECT_NE(message.find("beam1.T-S\" could not be created: it is a symbolic link owned by "
                         "another user"),
            std::string::npos)
      << message;
  EXPECT_EQ(testing::readBytes(dir.file("precious.txt")), "precious");
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
  RemoveFolderAt remove(folder, 100);
  int steps = 0;
  const std::string message = runReport(p, &remove, &steps);
  EXPECT_NE(message.find("beam1.T-S\" was removed"), std::string::npos)
      << "the run ended as if its report had been written: " << message;
  EXPECT_EQ(steps, 432);
}

}  // namespace
}  // namespace kvt
