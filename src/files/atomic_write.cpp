// SPDX-License-Identifier: MIT
#include "atomic_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "full_path.h"

namespace kvt {

namespace {

// The folder part of a path, with its separator ("" for a bare name).
std::string folderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
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

// The file a path finally names, following symbolic links, so that a save through a link
// replaces the file the link points at and keeps the link (as a direct write would). A link that
// points nowhere yet gives the path it points at; a loop is left to the write to report.
std::string linkTarget(std::string path) {
  for (int hop = 0; hop < 40; ++hop) {
    struct stat link {};
    if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return path;
    std::vector<char> target(static_cast<std::size_t>(link.st_size > 0 ? link.st_size : 255) + 1);
    const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
    if (length < 0 || static_cast<std::size_t>(length) >= target.size()) return path;
    const std::string to(target.data(), static_cast<std::size_t>(length));
    path = to.starts_with('/') ? to : folderOf(path) + to;
  }
  return path;
}

// The permissions a newly created file gets under the process's umask.
mode_t defaultFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

FileWriteError::FileWriteError(const std::string& path, int errorNumber)
    : std::runtime_error("\"" + fullPath(path) +
                         "\" could not be written: " + std::strerror(errorNumber) + "."),
      errorNumber_(errorNumber) {}

void writeFileAtomically(const std::string& path, std::string_view bytes) {
  const std::string file = linkTarget(path);
  // A special file such as /dev/full cannot be replaced by a rename: it is written in place.
  struct stat target {};
  const bool exists = ::stat(file.c_str(), &target) == 0;
  if (exists && !S_ISREG(target.st_mode)) {
    if (S_ISDIR(target.st_mode)) throw FileWriteError(path, EISDIR);
    const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC);
    if (fd < 0) throw FileWriteError(path, errno);
    const bool ok = writeAll(fd, bytes);
    const int error = errno;
    if (::close(fd) != 0 || !ok) throw FileWriteError(path, ok ? errno : error);
    return;
  }
  // A file that exists but may not be written must stay as it is, as it would for a direct write.
  if (exists && ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0)
    throw FileWriteError(path, errno);

  // The temporary file lies beside the file it replaces, so that the rename stays on one file
  // system and cannot be left half done.
  std::string temporary = folderOf(file) + ".kvt-XXXXXX";
  std::vector<char> name(temporary.begin(), temporary.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0) throw FileWriteError(path, errno);
  temporary = name.data();
  const auto fail = [&](int error) {
    ::unlink(temporary.c_str());
    throw FileWriteError(path, error);
  };
  // mkstemp creates 0600; the file gets the mode an ordinary create would give, or the old
  // file's mode when it replaces one.
  ::fchmod(fd, exists ? (target.st_mode & 07777) : defaultFileMode());
  if (!writeAll(fd, bytes) || ::fsync(fd) != 0) {
    const int error = errno;
    ::close(fd);
    fail(error);
  }
  if (::close(fd) != 0) fail(errno);
  if (::rename(temporary.c_str(), file.c_str()) != 0) fail(errno);
}

}  // namespace kvt
