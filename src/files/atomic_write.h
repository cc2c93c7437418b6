// SPDX-License-Identifier: MIT
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace kvt {

// A file could not be written; the message names the file by its full path and gives the
// system's reason.
class FileWriteError : public std::runtime_error {
 public:
  FileWriteError(const std::string& path, int errorNumber);
  int errorNumber() const { return errorNumber_; }

 private:
  int errorNumber_;
};

// Writes `bytes` to a temporary file in the target's folder and renames it over the target only
// when it is complete and on disk, so that a failure halfway (a full disk, a crash) never
// leaves a truncated file where a good one was. On failure the temporary file is removed and
// `FileWriteError` is thrown; the target is untouched. A symbolic link is followed: the file it
// points at is replaced and the link stays a link.
void writeFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace kvt
