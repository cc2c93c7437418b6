// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "error/error.h"

namespace kvt {

// The file was removed (or replaced) while it was being written: what was written is lost.
class FileRemovedError : public Error {
 public:
  explicit FileRemovedError(const std::string& path) : Error(ErrorKind::File, path) {}
};

// Another writer holds the file: nothing was changed in it. `firstLine` is its first line as far
// as it was written, to tell the user whose file it is.
class FileBusyError : public Error {
 public:
  explicit FileBusyError(std::string firstLine)
      : Error(ErrorKind::File, "the file is being written by another writer"),
        firstLine_(std::move(firstLine)) {}
  const std::string& firstLine() const { return firstLine_; }

 private:
  std::string firstLine_;
};

// A text file written line by line, each line ended by CR LF. Lines collect in memory and reach
// the file at `flush`, and whenever more than `kPendingLimit` bytes wait, so memory does not grow
// with what is written and a failing disk is noticed at the next flush at the latest. The file
// only ever holds complete lines: a write that fails halfway is cut back to the last complete
// line. Every failure throws std::system_error carrying the system's error number.
class LineFile {
 public:
  static constexpr std::size_t kPendingLimit = 64 * 1024;

  LineFile() = default;
  ~LineFile();
  LineFile(const LineFile&) = delete;
  LineFile& operator=(const LineFile&) = delete;

  bool isOpen() const { return fd_ >= 0; }
  // Creates the file, or truncates an existing one. Only one LineFile writes a file at a time,
  // in this process or any other: while another holds it, `FileBusyError` is thrown and the file
  // is left as it is. Symbolic links are followed as `followLinksForWriting` allows.
  void create(const std::string& path);
  // `text` is already in the file's encoding.
  void writeLine(std::string_view text);
  void flush();
  // Flushes and closes; closing a closed file does nothing. Throws `FileRemovedError` when the
  // file no longer stands under its name: on Linux writing into a removed file succeeds, and
  // the run would otherwise report a result that nobody can read.
  void close();
  // Writes what it can and closes without reporting: for unwinding after another failure, so
  // that the lines before the failure still reach the file.
  void abandon() noexcept;

 private:
  // Writes the pending lines; on a failure cuts the file back to its last complete line and
  // returns the error number (0 on success).
  int writePending() noexcept;

  int fd_ = -1;
  std::string path_;
  std::string pending_;
  long long complete_ = 0;  // bytes of complete lines in the file
};

}  // namespace kvt
