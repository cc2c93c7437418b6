// SPDX-License-Identifier: MIT
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace kvt {

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
  // Flushes and closes; closing a closed file does nothing.
  void close();
  // Writes what it can and closes without reporting: for unwinding after another failure, so
  // that the lines before the failure still reach the file.
  void abandon() noexcept;

 private:
  std::FILE* file_ = nullptr;
  std::string pending_;
};

}  // namespace kvt
