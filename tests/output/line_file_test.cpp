// SPDX-License-Identifier: MIT
#include "output/line_file.h"

#include <gtest/gtest.h>

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

TEST(LineFile, ADeviceIsSharedNotLocked) {
  // Every program may write to /dev/null at once; a report sent there must not be refused
  // because another one is being discarded at the same moment.
  LineFile first;
  first.create("/dev/null");
  LineFile second;
  EXPECT_NO_THROW(second.create("/dev/null"));
  EXPECT_TRUE(second.isOpen());
}

}  // namespace
}  // namespace kvt
