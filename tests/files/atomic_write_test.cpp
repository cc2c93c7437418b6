// SPDX-License-Identifier: MIT
#include "files/atomic_write.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/file_bytes.h"
#include "support/shared_folder.h"
#include "support/temp_dir.h"

namespace kvt {
namespace {

using testing::readBytes;

std::size_t entryCount(const std::filesystem::path& dir) {
  return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir),
                                                std::filesystem::directory_iterator()));
}

TEST(AtomicWrite, CreatesAndReplacesKeepingTheOldMode) {
  testing::TempDir dir;
  const std::string path = dir.file("a.csv");
  writeFileAtomically(path, "first\r\n");
  EXPECT_EQ(readBytes(path), "first\r\n");
  std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                         std::filesystem::perms::owner_write |
                                         std::filesystem::perms::group_read);
  writeFileAtomically(path, "second");
  EXPECT_EQ(readBytes(path), "second");
  struct stat info {};
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  EXPECT_EQ(entryCount(dir.path()), 1u) << "no temporary file stays behind";
}

TEST(AtomicWrite, FailuresNameTheFileAndLeaveNothingBehind) {
  testing::TempDir dir;
  std::filesystem::create_directory(dir.path() / "folder");
  struct Case {
    std::string path;
    int error;
  };
  const Case cases[] = {
      {dir.file("missing/a.csv"), ENOENT},
      {dir.file("folder"), EISDIR},
      {"/dev/full", ENOSPC},
  };
  for (const Case& c : cases) {
    try {
      writeFileAtomically(c.path, std::string(100000, 'x'));
      ADD_FAILURE() << c.path << " was written";
    } catch (const FileWriteError& error) {
      EXPECT_EQ(error.errorNumber(), c.error) << c.path;
      EXPECT_NE(std::string(error.what()).find(c.path), std::string::npos) << error.what();
    }
  }
  EXPECT_EQ(entryCount(dir.path()), 1u);
}

// Saving through a symbolic link (relative or absolute, to a file in another folder or to one
// not yet there) writes the file it points at; the link stays and no temporary file is left.
TEST(AtomicWrite, SymbolicLinksAreFollowed) {
  testing::TempDir dir;
  namespace fs = std::filesystem;
  fs::create_directory(dir.path() / "shared");
  writeFileAtomically(dir.file("shared/old.kvt"), "old");
  fs::create_symlink("shared/old.kvt", dir.path() / "relative.kvt");
  fs::create_symlink(dir.path() / "relative.kvt", dir.path() / "chain.kvt");
  fs::create_symlink("shared/new.kvt", dir.path() / "dangling.kvt");
  const std::pair<const char*, const char*> cases[] = {
      {"relative.kvt", "shared/old.kvt"},
      {"chain.kvt", "shared/old.kvt"},
      {"dangling.kvt", "shared/new.kvt"},
  };
  for (const auto& [link, file] : cases) {
    writeFileAtomically(dir.file(link), link);
    EXPECT_TRUE(fs::is_symlink(dir.path() / link)) << link;
    EXPECT_EQ(readBytes(dir.file(file)), link);
  }
  EXPECT_EQ(entryCount(dir.path()), 4u);
  EXPECT_EQ(entryCount(dir.path() / "shared"), 2u);
}

// A disk that fills halfway, simulated by a file size limit: the old file keeps its bytes.
TEST(AtomicWrite, DiskFullHalfwayKeepsTheOldFile) {
  testing::TempDir dir;
  const std::string path = dir.file("a.csv");
  writeFileAtomically(path, "good data");
  rlimit previous{};
  getrlimit(RLIMIT_FSIZE, &previous);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = previous;
  small.rlim_cur = 4096;
  setrlimit(RLIMIT_FSIZE, &small);
  int error = 0;
  try {
    writeFileAtomically(path, std::string(100000, 'x'));
  } catch (const FileWriteError& failure) {
    error = failure.errorNumber();
  }
  setrlimit(RLIMIT_FSIZE, &previous);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(error, EFBIG);
  EXPECT_EQ(readBytes(path), "good data");
  EXPECT_EQ(entryCount(dir.path()), 1u);
}

// In a folder every user may write to, a link another user planted is not followed (it could
// point at any of the user's files); the user's own links there, and other users' links in
// ordinary folders, are.
TEST(AtomicWrite, ForeignLinksInASharedFolderAreNotFollowed) {
  testing::TempDir dir;
  namespace fs = std::filesystem;
  const fs::path shared = dir.path() / "tmp";
  const fs::path own = dir.path() / "home";
  testing::makeShared(shared);
  fs::create_directory(own);
  writeFileAtomically(dir.file("precious.kvt"), "precious");
  if (!testing::plantForeignLink(dir.path() / "precious.kvt", shared / "planted.kvt"))
    GTEST_SKIP() << "links can be given to another user only as root";
  try {
    writeFileAtomically((shared / "planted.kvt").string(), "overwritten");
    ADD_FAILURE() << "the planted link was followed";
  } catch (const FileWriteError& error) {
    EXPECT_EQ(error.errorNumber(), EACCES);
    EXPECT_NE(std::string(error.what()).find("symbolic link owned by another user"),
              std::string::npos)
        << error.what();
  }
  EXPECT_EQ(readBytes(dir.file("precious.kvt")), "precious");

  fs::create_symlink(dir.path() / "mine.kvt", shared / "mine.kvt");
  ASSERT_TRUE(testing::plantForeignLink(dir.path() / "theirs.kvt", own / "theirs.kvt"));
  writeFileAtomically((shared / "mine.kvt").string(), "mine");
  writeFileAtomically((own / "theirs.kvt").string(), "theirs");
  EXPECT_EQ(readBytes(dir.file("mine.kvt")), "mine");
  EXPECT_EQ(readBytes(dir.file("theirs.kvt")), "theirs");
}

// A save killed while it writes (here by the file size limit's signal) leaves the old file as it
// was and no temporary file behind.
TEST(AtomicWrite, ASaveKilledWhileWritingLeavesNothingBehind) {
  testing::TempDir dir;
  const std::string path = dir.file("a.kvt");
  writeFileAtomically(path, "good data");
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
    const rlimit small{4096, 4096};
    setrlimit(RLIMIT_FSIZE, &small);
    std::signal(SIGXFSZ, SIG_DFL);
    writeFileAtomically(path, std::string(100000, 'x'));
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << "status " << status;
  EXPECT_EQ(readBytes(path), "good data");
  EXPECT_EQ(entryCount(dir.path()), 1u) << "a temporary file was left behind";
}

}  // namespace
}  // namespace kvt
