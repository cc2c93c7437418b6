// SPDX-License-Identifier: MIT
#pragma once

#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kvt {

// The file was removed (or replaced) while it was being written: what was written is lost.
class FileRemovedError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A text file written line by line, each line ended by CR LF. Lines collect in memory and reach
// the file at `flush`, so a failing disk is noticed at the next flush at the latest. Every
// failure throws std::system_error carrying the system's error number.
class LineFile {
 public:
  LineFile() = default;
  ~LineFile();
  LineFile(const LineFile&) = delete;
  LineFile& operator=(const LineFile&) = delete;

  bool isOpen() const { return file_ != nullptr; }
  // Creates the file, truncating an existing one.
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
  std::FILE* file_ = nullptr;
  std::string path_;
  std::string pending_;
};

}  // namespace kvt
