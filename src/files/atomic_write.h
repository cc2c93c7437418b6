// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

#include "error/error.h"

namespace kvt {

// A file could not be written; the message names the file by its full path and gives the
// system's reason.
class FileWriteError : public Error {
 public:
  FileWriteError(const std::string& path, int errorNumber);
  FileWriteError(const std::string& path, int errorNumber, const std::string& reason);
  int errorNumber() const { return errorNumber_; }

 private:
  int errorNumber_;
};

// Writes `bytes` to a new file beside the target and moves it over the target only when it is
// complete and on disk, so that a failure halfway (a full disk, a crash) never leaves a truncated
// file where a good one was, and a process killed while writing leaves no temporary file behind.
// On failure `FileWriteError` is thrown and the target is untouched. Symbolic links are followed
// as `followLinksForWriting` allows: the file a link points at is replaced and the link stays a
// link.
void writeFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace kvt
