// SPDX-License-Identifier: MIT
#include "atomic_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#include "file_descriptor.h"
#include "full_path.h"
#include "link_policy.h"

namespace kvt {

namespace {

// Writes everything and brings it to the disk; the system's error number, or 0.
int writeAndSync(int fd, std::string_view bytes, mode_t mode) {
  ::fchmod(fd, mode);
  if (!writeAll(fd, bytes) || ::fsync(fd) != 0) return errno;
  return 0;
}

// A hidden name beside the target that no file has yet, for the moment between giving the
// finished file a name and moving it over the target.
std::string freshName(const std::string& folder) {
  static thread_local std::mt19937 random{std::random_device{}()};
  for (;;) {
    char name[32];
    std::snprintf(name, sizeof name, ".kvt-%08x", static_cast<unsigned>(random()));
    const std::string path = folder + name;
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) return path;
  }
}

// The new file is written without a name (O_TMPFILE), so a process killed while it writes leaves
// nothing behind, and gets a name only once it is complete and on disk. The name is a hidden
// one beside the target, moved over the target at once; only a kill between those two steps,
// microseconds apart, could leave it. False when the file system cannot make unnamed files.
bool replaceThroughUnnamedFile(const std::string& path, const std::string& file,
                               std::string_view bytes, mode_t mode) {
  const std::string folder = folderOf(file);
  Descriptor fd(
      ::open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode));
  if (fd.get() < 0) {
    if (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL) return false;
    throw FileWriteError(path, errno);
  }
  if (const int error = writeAndSync(fd.get(), bytes, mode)) throw FileWriteError(path, error);
  const std::string unnamed = "/proc/self/fd/" + std::to_string(fd.get());
  std::string temporary;
  for (;;) {
    temporary = freshName(folder);
    if (::linkat(AT_FDCWD, unnamed.c_str(), AT_FDCWD, temporary.c_str(), AT_SYMLINK_FOLLOW) == 0)
      break;
    if (errno == EEXIST) continue;
    if (errno == ENOENT) return false;  // no /proc: the named route below works without it
    throw FileWriteError(path, errno);
  }
  if (::rename(temporary.c_str(), file.c_str()) != 0) {
    const int error = errno;
    ::unlink(temporary.c_str());
    throw FileWriteError(path, error);
  }
  return true;
}

// Where unnamed files cannot be made: a hidden temporary file beside the target, removed on any
// failure (but left behind if the process is killed while writing it).
void replaceThroughTemporaryFile(const std::string& path, const std::string& file,
                                 std::string_view bytes, mode_t mode) {
  std::string temporary = folderOf(file) + ".kvt-XXXXXX";
  std::vector<char> name(temporary.begin(), temporary.end());
  name.push_back('\0');
  Descriptor fd(::mkstemp(name.data()));
  if (fd.get() < 0) throw FileWriteError(path, errno);
  temporary = name.data();
  int error = writeAndSync(fd.get(), bytes, mode);
  if (const int closing = fd.release(); error == 0) error = closing;
  if (error == 0 && ::rename(temporary.c_str(), file.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temporary.c_str());
    throw FileWriteError(path, error);
  }
}

}  // namespace

FileWriteError::FileWriteError(const std::string& path, int errorNumber)
    : FileWriteError(path, errorNumber, std::strerror(errorNumber)) {}

FileWriteError::FileWriteError(const std::string& path, int errorNumber, const std::string& reason)
    : Error(ErrorKind::File, "\"" + fullPath(path) + "\" could not be written: " + reason + "."),
      errorNumber_(errorNumber) {}

void writeFileAtomically(const std::string& path, std::string_view bytes) {
  std::error_code refused;
  const std::string file = followLinksForWriting(path, refused);
  if (refused) throw FileWriteError(path, refused.value(), refused.message());
  // A device such as /dev/full is written in place; a pipe, a socket or a folder is refused.
  struct stat target {};
  const bool exists = ::stat(file.c_str(), &target) == 0;
  if (exists && specialTarget(target.st_mode) == SpecialTarget::Refused)
    throw FileWriteError(path, refusedTargetError(target.st_mode),
                         refusedTargetReason(target.st_mode));
  if (exists && specialTarget(target.st_mode) == SpecialTarget::Device) {
    int error = 0;
    Descriptor fd(openDeviceInPlace(file, error));
    if (fd.get() < 0) throw FileWriteError(path, error);
    error = writeAll(fd.get(), bytes) ? 0 : errno;
    const int closing = fd.release();
    if (error != 0 || closing != 0) throw FileWriteError(path, error != 0 ? error : closing);
    return;
  }
  // A file that exists but may not be written must stay as it is, as it would for a direct write.
  if (exists && ::faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) != 0)
    throw FileWriteError(path, errno);

  // The new file is made beside the one it replaces, so that the rename stays on one file system
  // and cannot be left half done. It gets the mode an ordinary create would give, or the old
  // file's mode when it replaces one.
  const mode_t mode = exists ? (target.st_mode & 07777) : defaultFileMode();
  if (!replaceThroughUnnamedFile(path, file, bytes, mode))
    replaceThroughTemporaryFile(path, file, bytes, mode);
}

}  // namespace kvt
