// SPDX-License-Identifier: MIT
#include "line_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <system_error>

namespace kvt {

namespace {

[[noreturn]] void throwLastError(const char* what) {
  const int error = errno != 0 ? errno : EIO;
  throw std::system_error(error, std::generic_category(), what);
}

void requireOpen(const std::FILE* file) {
  if (file == nullptr) throw std::system_error(EBADF, std::generic_category(), "write");
}

}  // namespace

LineFile::~LineFile() {
  abandon();
}

void LineFile::create(const std::string& path) {
  abandon();
  errno = 0;
  file_ = std::fopen(path.c_str(), "wb");
  if (file_ == nullptr) throwLastError("create");
  path_ = path;
}

void LineFile::writeLine(std::string_view text) {
  requireOpen(file_);
  pending_ += text;
  pending_ += "\r\n";
}

void LineFile::flush() {
  requireOpen(file_);
  errno = 0;
  const bool written = std::fwrite(pending_.data(), 1, pending_.size(), file_) == pending_.size();
  pending_.clear();
  if (!written || std::fflush(file_) != 0) throwLastError("write");
}

void LineFile::close() {
  if (file_ == nullptr) return;
  flush();
  struct stat written {};
  struct stat named {};
  const bool stillThere = ::fstat(::fileno(file_), &written) == 0 &&
                          ::stat(path_.c_str(), &named) == 0 && written.st_dev == named.st_dev &&
                          written.st_ino == named.st_ino;
  std::FILE* file = file_;
  file_ = nullptr;
  errno = 0;
  if (std::fclose(file) != 0) throwLastError("write");
  if (!stillThere) throw FileRemovedError(path_);
}

void LineFile::abandon() noexcept {
  if (file_ == nullptr) return;
  std::fwrite(pending_.data(), 1, pending_.size(), file_);
  pending_.clear();
  std::fclose(file_);
  file_ = nullptr;
}

}  // namespace kvt
