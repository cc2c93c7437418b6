// SPDX-License-Identifier: MIT
#include "appending_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <system_error>
#include <vector>

#include "atomic_write.h"
#include "link_policy.h"

namespace kvt {

namespace {

bool sameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// A new file under a hidden random name in a folder, locked before anybody can see it, and
// removed again unless it has been given its real name.
struct HiddenFile {
  explicit HiddenFile(const std::string& folder) {
    std::string pattern = folder + ".kvt-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    fd = Descriptor(::mkostemp(buffer.data(), O_CLOEXEC));
    if (fd.get() < 0) {
      error = errno;
      return;
    }
    name = buffer.data();
    if (::flock(fd.get(), LOCK_EX) != 0) {
      error = errno;
      fd.release();
    }
  }
  ~HiddenFile() {
    if (!name.empty()) ::unlink(name.c_str());
  }
  HiddenFile(const HiddenFile&) = delete;
  HiddenFile& operator=(const HiddenFile&) = delete;

  Descriptor fd;
  std::string name;
  int error = 0;
};

// Moves `from` to `to` unless `to` exists (then false, with errno EEXIST). A file system that
// cannot rename without replacing gets a second name instead, which only a free name takes.
bool takeFreeName(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  if (::link(from.c_str(), to.c_str()) != 0) return false;
  ::unlink(from.c_str());
  return true;
}

}  // namespace

AppendingFile::AppendingFile(const std::string& path) : path_(path) {
  std::error_code refused;
  target_ = followLinksForWriting(path, refused);
  if (refused) throw FileWriteError(path, refused.value(), refused.message());
  struct stat target {};
  const bool exists = ::stat(target_.c_str(), &target) == 0;
  if (!exists && errno != ENOENT) throw FileWriteError(path, errno);
  if (exists && specialTarget(target.st_mode) == SpecialTarget::Refused)
    throw FileWriteError(path, refusedTargetError(target.st_mode),
                         refusedTargetReason(target.st_mode));
  if (exists && specialTarget(target.st_mode) == SpecialTarget::Device) {
    int error = 0;
    fd_ = Descriptor(openDeviceInPlace(target_, error));
    if (fd_.get() < 0) throw FileWriteError(path, error);
    return;
  }
  // A summary that may not be written must stay as it is, as it would for a direct write.
  if (exists && ::faccessat(AT_FDCWD, target_.c_str(), W_OK, AT_EACCESS) != 0)
    throw FileWriteError(path, errno);
  mode_ = exists ? (target.st_mode & 07777) : defaultFileMode();
  partPath_ = target_ + ".part";
  createPart();
}

void AppendingFile::createPart() {
  HiddenFile hidden(folderOf(partPath_));
  if (hidden.fd.get() < 0) throw FileWriteError(partPath_, hidden.error);
  for (;;) {
    // The file takes its name only where there is none: nothing is ever adopted.
    if (takeFreeName(hidden.name, partPath_)) break;
    if (errno != EEXIST) throw FileWriteError(partPath_, errno);
    // Held until the new file has taken the name, so no other writer can take it meanwhile.
    const Descriptor stale = lockStalePart();
    if (stale.get() < 0) continue;  // gone meanwhile: the name is free again
    if (::rename(hidden.name.c_str(), partPath_.c_str()) != 0)
      throw FileWriteError(partPath_, errno);
    break;
  }
  hidden.name.clear();
  fd_ = std::move(hidden.fd);
}

// NAME.part is there already. It is replaced only when it is an unlocked ordinary file of this
// user's, the remains of a killed job: then its locked descriptor is returned. An empty one means
// it vanished meanwhile. Anything else is refused.
Descriptor AppendingFile::lockStalePart() const {
  struct stat named {};
  if (::lstat(partPath_.c_str(), &named) != 0) return Descriptor();
  if (!S_ISREG(named.st_mode))
    throw FileWriteError(partPath_, EEXIST,
                         "it is there already and is not an ordinary file; remove it to go on");
  if (named.st_uid != ::geteuid())
    throw FileWriteError(partPath_, EEXIST,
                         "it is there already and belongs to another user; remove it to go on");
  Descriptor stale(::open(partPath_.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
  struct stat opened {};
  if (stale.get() < 0 || ::fstat(stale.get(), &opened) != 0 || !sameFile(opened, named))
    return Descriptor();
  if (::flock(stale.get(), LOCK_EX | LOCK_NB) != 0)
    throw FileWriteError(path_, EBUSY, "another kvt-batch is writing it now");
  return stale;
}

void AppendingFile::append(std::string_view bytes) {
  const std::string& file = partPath_.empty() ? path_ : partPath_;
  if (!writeAll(fd_.get(), bytes)) {
    const int error = errno;
    if (!partPath_.empty()) {
      [[maybe_unused]] const int cut = ::ftruncate(fd_.get(), complete_);
      ::lseek(fd_.get(), complete_, SEEK_SET);
    }
    throw FileWriteError(file, error);
  }
  complete_ += static_cast<off_t>(bytes.size());
}

void AppendingFile::finish() {
  if (partPath_.empty()) {
    if (const int error = fd_.release()) throw FileWriteError(path_, error);
    return;
  }
  ::fchmod(fd_.get(), mode_);
  if (::fsync(fd_.get()) != 0) throw FileWriteError(partPath_, errno);
  struct stat written {};
  struct stat named {};
  const bool stillThere = ::fstat(fd_.get(), &written) == 0 &&
                          ::lstat(partPath_.c_str(), &named) == 0 && sameFile(written, named);
  if (!stillThere)
    throw FileWriteError(partPath_, ENOENT, "it was removed or replaced while it was written");
  if (::rename(partPath_.c_str(), target_.c_str()) != 0) throw FileWriteError(path_, errno);
  if (const int error = fd_.release()) throw FileWriteError(path_, error);
}

}  // namespace kvt
