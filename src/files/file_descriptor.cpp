// SPDX-License-Identifier: MIT
#include "file_descriptor.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace kvt {

Descriptor& Descriptor::operator=(Descriptor&& other) noexcept {
  if (this != &other) {
    release();
    fd_ = other.fd_;
    other.fd_ = -1;
  }
  return *this;
}

int Descriptor::release() {
  const int fd = fd_;
  fd_ = -1;
  return fd >= 0 && ::close(fd) != 0 ? errno : 0;
}

bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

mode_t defaultFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

std::string folderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

SpecialTarget specialTarget(mode_t mode) {
  if (S_ISREG(mode)) return SpecialTarget::None;
  if (S_ISCHR(mode) || S_ISBLK(mode)) return SpecialTarget::Device;
  return SpecialTarget::Refused;
}

std::string refusedTargetReason(mode_t mode) {
  if (S_ISDIR(mode)) return "it is a folder";
  if (S_ISFIFO(mode)) return "it is a named pipe (FIFO), which would hold the writer until read";
  if (S_ISSOCK(mode)) return "it is a socket, not a file";
  return "it is not an ordinary file";
}

int refusedTargetError(mode_t mode) {
  return S_ISDIR(mode) ? EISDIR : EINVAL;
}

int openDeviceInPlace(const std::string& file, int& error) {
  const int fd =
      ::open(file.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | O_NOFOLLOW);
  if (fd < 0) {
    error = errno;
    return -1;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || specialTarget(info.st_mode) != SpecialTarget::Device) {
    error = info.st_mode == 0 ? errno : refusedTargetError(info.st_mode);
    ::close(fd);
    return -1;
  }
  // Written as any file is: a device that is slow to take the bytes is waited for.
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

}  // namespace kvt
