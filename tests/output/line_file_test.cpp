// SPDX-License-Identifier: MIT
#include "output/line_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <string>

#include "support/file_bytes.h"
#include "support/temp_dir.h"

namespace kvt {
namespace {

constexpr std::string_view kLine = "    0.65  1.500e-04  2.722e+00    1.05";  // 38 + CR LF

// Lines reach the disk in bounded pieces, not only at `flush`: a step of millions of sections
// must not be held in memory whole.
TEST(LineFile, WritesInBoundedPiecesBeforeAnyFlush) {
  testing::TempDir dir;
  LineFile file;
  file.create(dir.file("a.T-S"));
  constexpr std::size_t kLines = 20000;  // 800 kB
  for (std::size_t k = 0; k < kLines; ++k)
    file.writeLine(kLine);
  const auto onDisk = std::filesystem::file_size(dir.path() / "a.T-S");
  EXPECT_GE(onDisk + LineFile::kPendingLimit, kLines * (kLine.size() + 2));
  EXPECT_EQ(onDisk % (kLine.size() + 2), 0u) << "only whole lines reach the file";
  file.close();
}

// A disk that fills in the middle of a line (a file size limit stands in for it): the write
// fails, and the file is cut back to the last line it holds whole.
TEST(LineFile, AFailedWriteLeavesOnlyCompleteLines) {
  testing::TempDir dir;
  const std::string path = dir.file("a.T-S");
  rlimit previous{};
  getrlimit(RLIMIT_FSIZE, &previous);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = previous;
  small.rlim_cur = 1000;  // 25 lines of 40 bytes
  setrlimit(RLIMIT_FSIZE, &small);
  int error = 0;
  {
    LineFile file;
    file.create(path);
    try {
      for (int k = 0; k < 30; ++k)
        file.writeLine(std::string(kLine) + "x");
      file.flush();
    } catch (const std::system_error& failure) {
      error = failure.code().value();
    }
  }
  setrlimit(RLIMIT_FSIZE, &previous);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(error, EFBIG);
  const std::string bytes = testing::readBytes(path);
  EXPECT_EQ(bytes.size(), 24u * 41);
  EXPECT_TRUE(bytes.ends_with("x\r\n"));
}

// Two writers of one file, in one process or two, would mix their lines. The second is turned
// away with the first line of the file it wanted, and nothing of the first writer's is lost.
TEST(LineFile, OnlyOneWriterAtATime) {
  testing::TempDir dir;
  const std::string path = dir.file("a.T-S");
  LineFile first;
  first.create(path);
  first.writeLine("first writer's header");
  first.flush();
  LineFile second;
  try {
    second.create(path);
    ADD_FAILURE() << "a second writer got the file";
  } catch (const FileBusyError& busy) {
    EXPECT_EQ(busy.firstLine(), "first writer's header");
  }
  EXPECT_FALSE(second.isOpen());
  first.writeLine("line 2");
  first.close();
  EXPECT_EQ(testing::readBytes(path), "first writer's header\r\nline 2\r\n");
  second.create(path);  // free again once the first has closed it
  second.close();
  EXPECT_EQ(testing::readBytes(path), "");
}

}  // namespace
}  // namespace kvt
