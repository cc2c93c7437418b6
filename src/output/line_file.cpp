// SPDX-License-Identifier: MIT
#include "line_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <system_error>
#include <thread>

#include "files/link_policy.h"

namespace kvt {

namespace {

[[noreturn]] void throwError(int error, const char* what) {
  throw std::system_error(error != 0 ? error : EIO, std::generic_category(), what);
}

void requireOpen(int fd) {
  if (fd < 0) throwError(EBADF, "write");
}

// The first line of a file another writer holds, as far as it has been written.
std::string firstLineOf(const std::string& file) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW | O_NONBLOCK);
  if (fd < 0) return {};
  char buffer[4096];
  const ssize_t got = ::pread(fd, buffer, sizeof buffer, 0);
  ::close(fd);
  if (got <= 0) return {};
  const std::string_view text(buffer, static_cast<std::size_t>(got));
  return std::string(text.substr(0, text.find("\r\n")));
}

}  // namespace

LineFile::~LineFile() {
  abandon();
}

void LineFile::create(const std::string& path) {
  abandon();
  std::error_code refused;
  const std::string file = followLinksForWriting(path, refused);
  if (refused) throw std::system_error(refused, "create");
  // Not truncated on opening: the file may belong to another run, which must keep it.
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW, 0666);
  if (fd < 0) throwError(errno, "create");
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    const int error = errno;
    ::close(fd);
    throwError(error, "create");
  }
  // A lock on the open file, not on the process, so that two writers in one process (runs side
  // by side) exclude each other too. A file system without locks is written unguarded. Only an
  // ordinary file is locked: a device such as /dev/null is shared by every program that writes
  // to it, and two reports sent there never mix into one file.
  const bool ordinary = S_ISREG(info.st_mode);
  if (ordinary && ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
    ::close(fd);
    // The holder empties the file and writes its first line just after taking the lock; a
    // moment's pause lets a writer that started at the same time get that far, so the line read
    // is its own and not the previous report's.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::string firstLine = firstLineOf(file);
    throw FileBusyError(std::move(firstLine));
  }
  if (ordinary && ::ftruncate(fd, 0) != 0) {
    const int error = errno;
    ::close(fd);
    throwError(error, "create");
  }
  fd_ = fd;
  path_ = path;
  complete_ = 0;
  pending_.clear();
}

void LineFile::writeLine(std::string_view text) {
  requireOpen(fd_);
  pending_ += text;
  pending_ += "\r\n";
  if (pending_.size() >= kPendingLimit) flush();
}

void LineFile::flush() {
  requireOpen(fd_);
  if (const int error = writePending(); error != 0) throwError(error, "write");
}

int LineFile::writePending() noexcept {
  std::size_t written = 0;
  int error = 0;
  while (written < pending_.size()) {
    const ssize_t n = ::write(fd_, pending_.data() + written, pending_.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error = n < 0 ? errno : EIO;
      break;
    }
    written += static_cast<std::size_t>(n);
  }
  if (error != 0) {
    // A full disk may take part of a line: the file is cut back to the last line it holds
    // whole, so that it never ends in the middle of one.
    const std::size_t lineEnd =
        written < 2 ? std::string::npos : pending_.rfind("\r\n", written - 2);
    const long long kept = lineEnd == std::string::npos ? 0 : static_cast<long long>(lineEnd) + 2;
    complete_ += kept;
    if (static_cast<std::size_t>(kept) != written) {
      [[maybe_unused]] const int cut = ::ftruncate(fd_, static_cast<off_t>(complete_));
      ::lseek(fd_, static_cast<off_t>(complete_), SEEK_SET);
    }
  } else {
    complete_ += static_cast<long long>(written);
  }
  pending_.clear();
  return error;
}

void LineFile::close() {
  if (fd_ < 0) return;
  flush();
  struct stat written {};
  struct stat named {};
  const bool stillThere = ::fstat(fd_, &written) == 0 && ::stat(path_.c_str(), &named) == 0 &&
                          written.st_dev == named.st_dev && written.st_ino == named.st_ino;
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0 && errno != EINTR) throwError(errno, "write");
  if (!stillThere) throw FileRemovedError(path_);
}

void LineFile::abandon() noexcept {
  if (fd_ < 0) return;
  writePending();
  ::close(fd_);
  fd_ = -1;
}

}  // namespace kvt
