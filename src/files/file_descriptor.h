// SPDX-License-Identifier: MIT
#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>

namespace kvt {

// An open file descriptor, closed when it goes.
class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  ~Descriptor() { release(); }
  Descriptor(Descriptor&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  Descriptor& operator=(Descriptor&& other) noexcept;
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;

  int get() const { return fd_; }
  // Closes now; the system's error number, or 0.
  int release();

 private:
  int fd_;
};

// Writes all of `bytes`, however many calls it takes; false with errno set when it cannot.
bool writeAll(int fd, std::string_view bytes);

// The permissions a newly created file gets under the process's umask.
mode_t defaultFileMode();

// The folder part of a path, with its separator ("" for a bare name).
std::string folderOf(const std::string& path);

// What a file that is not an ordinary one is to a writer. A device (/dev/null, /dev/full, a
// tape) is written in place: it cannot be replaced by a rename, and renaming over it would put
// an ordinary file where the device node was. A named pipe or a socket is refused: writing to
// one blocks until somebody reads, perhaps for ever. A folder is refused too.
enum class SpecialTarget { None, Device, Refused };
SpecialTarget specialTarget(mode_t mode);

// Why such a file is refused, in words, and the error number to report.
std::string refusedTargetReason(mode_t mode);
int refusedTargetError(mode_t mode);

// Opens a device for writing in place without waiting on it: a FIFO put there meanwhile is
// refused instead of blocking. Returns the descriptor, or -1 with `error` set.
int openDeviceInPlace(const std::string& file, int& error);

}  // namespace kvt
