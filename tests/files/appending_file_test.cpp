// SPDX-License-Identifier: MIT
#include "files/appending_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>

#include "files/atomic_write.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"

namespace kvt {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::writeBytes;

// The names in a folder, to see that nothing is left behind.
std::set<std::string> names(const fs::path& dir) {
  std::set<std::string> all;
  for (const auto& entry : fs::directory_iterator(dir))
    all.insert(entry.path().filename().string());
  return all;
}

// The message of the FileWriteError that `open` throws, or "" when it throws none. A writer that
// waits on a pipe would hang the tests: an alarm ends the process instead.
std::string refusal(const std::function<void()>& open) {
  ::alarm(20);
  try {
    open();
    ::alarm(0);
    return "";
  } catch (const FileWriteError& error) {
    ::alarm(0);
    return error.what();
  }
}

TEST(AppendingFile, IsWrittenAsPartAndMovedOverTheTargetWhenFinished) {
  const testing::TempDir dir;
  const std::string path = dir.file("s.csv");
  writeBytes(path, "old\r\n");
  ::chmod(path.c_str(), 0640);
  {
    AppendingFile file(path);
    file.append("a\r\n");
    file.append("b\r\n");
    EXPECT_EQ(readBytes(dir.file("s.csv.part")), "a\r\nb\r\n");
    EXPECT_EQ(readBytes(path), "old\r\n") << "the old file stays whole until the new one is";
    file.finish();
  }
  EXPECT_EQ(readBytes(path), "a\r\nb\r\n");
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  EXPECT_EQ(names(dir.path()), std::set<std::string>{"s.csv"});
}

// A job killed part-way leaves its .part with the pieces written so far and nothing else.
TEST(AppendingFile, AKilledWriterLeavesItsPartWithTheWholePiecesSoFar) {
  const testing::TempDir dir;
  const std::string path = dir.file("s.csv");
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    AppendingFile file(path);
    file.append("header\r\n");
    file.append("row 1\r\n");
    ::raise(SIGKILL);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_EQ(readBytes(dir.file("s.csv.part")), "header\r\nrow 1\r\n");
  EXPECT_EQ(names(dir.path()), std::set<std::string>{"s.csv.part"});

  // The next run replaces those remains with a file of its own.
  AppendingFile again(path);
  again.append("new\r\n");
  again.finish();
  EXPECT_EQ(readBytes(path), "new\r\n");
  EXPECT_EQ(names(dir.path()), std::set<std::string>{"s.csv"});
}

TEST(AppendingFile, ASecondWriterOfTheSameFileIsRefusedAtOnce) {
  const testing::TempDir dir;
  const std::string path = dir.file("s.csv");
  AppendingFile first(path);
  first.append("first\r\n");
  const std::string error = refusal([&] { AppendingFile second(path); });
  EXPECT_NE(error.find(path + "\" could not be written: another kvt-batch is writing it now"),
            std::string::npos)
      << error;
  first.append("rows\r\n");
  first.finish();
  EXPECT_EQ(readBytes(path), "first\r\nrows\r\n");
}

// In a shared folder anyone may put a file under the .part name first: it is never written
// into, nor waited on.
TEST(AppendingFile, APartFileThatWasThereFirstIsNeverAdopted) {
  struct Case {
    const char* what;
    std::function<bool(const std::string& part)> plant;  // false: cannot be set up here
    const char* error;
  };
  const Case cases[] = {
      {"a link",
       [](const std::string& part) {
         fs::create_symlink("victim", part);
         return true;
       },
       "it is there already and is not an ordinary file"},
      {"a named pipe", [](const std::string& part) { return ::mkfifo(part.c_str(), 0666) == 0; },
       "it is there already and is not an ordinary file"},
      {"another user's file",
       [](const std::string& part) {
         writeBytes(part, "forged\r\n");
         ::chmod(part.c_str(), 0666);
         return ::chown(part.c_str(), 65534, 65534) == 0;
       },
       "it is there already and belongs to another user"},
  };
  for (const Case& c : cases) {
    const testing::TempDir dir;
    const std::string part = dir.file("s.csv.part");
    if (!c.plant(part)) {
      std::cout << "skipped " << c.what << ": only root can give a file to another user\n";
      continue;
    }
    const std::string error = refusal([&] { AppendingFile file(dir.file("s.csv")); });
    EXPECT_NE(error.find(part + "\" could not be written: " + c.error), std::string::npos)
        << c.what << ": " << error;
    EXPECT_FALSE(fs::exists(dir.file("s.csv"))) << c.what;
    EXPECT_EQ(names(dir.path()).size(), 1u) << c.what << ": a hidden file was left behind";
  }
}

TEST(AppendingFile, APipeOrSocketTargetIsRefusedWithoutWaiting) {
  const testing::TempDir dir;
  const std::string pipe = dir.file("pipe.csv");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0666), 0);
  const std::string error = refusal([&] { AppendingFile file(pipe); });
  EXPECT_NE(error.find(pipe + "\" could not be written: it is a named pipe"), std::string::npos)
      << error;
  EXPECT_NE(refusal([&] { writeFileAtomically(pipe, "x"); }).find("it is a named pipe"),
            std::string::npos);
  EXPECT_EQ(names(dir.path()), std::set<std::string>{"pipe.csv"});
}

// A device is written in place: renaming over it would replace the device node with a file.
TEST(AppendingFile, ADeviceIsWrittenInPlaceAndStaysADevice) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root can make device nodes (mknod)";
  const testing::TempDir dir;
  const std::string null = dir.file("null");
  const std::string full = dir.file("full");
  ASSERT_EQ(::mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
  ASSERT_EQ(::mknod(full.c_str(), S_IFCHR | 0666, makedev(1, 7)), 0);
  fs::create_symlink("null", dir.file("link-to-null"));
  for (const std::string& path : {null, dir.file("link-to-null")}) {
    AppendingFile file(path);
    file.append("row\r\n");
    file.finish();
  }
  AppendingFile file(full);
  EXPECT_NE(refusal([&] { file.append("row\r\n"); }).find("No space left on device"),
            std::string::npos);
  for (const std::string& device : {null, full}) {
    struct stat info {};
    ASSERT_EQ(::lstat(device.c_str(), &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode)) << device << " is no longer a device";
  }
  EXPECT_EQ(names(dir.path()), (std::set<std::string>{"full", "link-to-null", "null"}));
}

}  // namespace
}  // namespace kvt
