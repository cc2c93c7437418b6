// SPDX-License-Identifier: MIT
#include "first_lines.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>

namespace kvt {

namespace {

// What a path names when it is not an ordinary file, or "" when it is one.
const char* notOrdinary(mode_t mode) {
  if (S_ISREG(mode)) return "";
  if (S_ISDIR(mode)) return "it is a folder, not a file";
  if (S_ISFIFO(mode)) return "it is a pipe, not an ordinary file";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "it is a device, not an ordinary file";
  return "it is not an ordinary file";
}

// Counts line ends as the bytes arrive, under both rules at once, until it knows which rule the
// file follows and that `count` lines have ended by it. A CR is judged when the next byte comes.
class LineEndCounter {
 public:
  explicit LineEndCounter(std::size_t count) : count_(count) {}

  void feed(std::string_view bytes) {
    for (const char c : bytes) {
      if (crPending_) {
        crPending_ = false;
        if (c == '\n') {
          if (anyEnds_ < count_) crLf_ = true;  // a CR LF within the first lines decides
          ++anyEnds_;
          ++crLfEnds_;
          continue;
        }
        ++anyEnds_;  // the CR stood alone
      }
      if (c == '\r') crPending_ = true;
      if (c == '\n') ++anyEnds_;
    }
  }
  bool crLf() const { return crLf_; }
  bool complete() const { return crLf_ ? crLfEnds_ >= count_ : anyEnds_ >= count_; }

 private:
  std::size_t count_;
  std::size_t anyEnds_ = 0;
  std::size_t crLfEnds_ = 0;
  bool crPending_ = false;
  bool crLf_ = false;
};

std::vector<std::string> splitLines(std::string_view bytes, std::size_t count, bool crLfOnly) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size() && lines.size() < count) {
    const std::size_t end =
        crLfOnly ? bytes.find("\r\n", start) : bytes.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(bytes.substr(start));
      break;
    }
    lines.emplace_back(bytes.substr(start, end - start));
    start = end + (bytes.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return lines;
}

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

std::variant<std::vector<std::string>, LinesUnreadable> readFirstLines(const std::string& path,
                                                                       std::size_t count,
                                                                       std::size_t byteLimit) {
  // Looked at before it is opened, since opening a device or a pipe may itself wait or act; and
  // again once open, in case the name was replaced in between.
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return LinesUnreadable{std::strerror(errno)};
  if (*notOrdinary(info.st_mode) != '\0') return LinesUnreadable{notOrdinary(info.st_mode)};
  const Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  if (fd.get() < 0) return LinesUnreadable{std::strerror(errno)};
  if (::fstat(fd.get(), &info) != 0) return LinesUnreadable{std::strerror(errno)};
  if (*notOrdinary(info.st_mode) != '\0') return LinesUnreadable{notOrdinary(info.st_mode)};

  std::string bytes;
  LineEndCounter ends(count);
  char buffer[65536];
  while (!ends.complete()) {
    if (bytes.size() >= byteLimit)
      return LinesUnreadable{"its first " + std::to_string(count) + " lines do not end within " +
                             std::to_string(byteLimit / (1024 * 1024)) + " MB"};
    const std::size_t wanted = std::min(sizeof buffer, byteLimit - bytes.size());
    const ssize_t got = ::read(fd.get(), buffer, wanted);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return LinesUnreadable{std::strerror(errno)};
    if (got == 0) break;
    const std::string_view chunk(buffer, static_cast<std::size_t>(got));
    ends.feed(chunk);
    bytes += chunk;
  }
  return splitLines(bytes, count, ends.crLf());
}

}  // namespace kvt
