// SPDX-License-Identifier: MIT
#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>

#include "file_descriptor.h"

namespace kvt {

// A file written piece by piece while a long job runs, as a study's summary row by row. It is
// written as NAME.part beside its target and moved over NAME only when finished, so that a job
// killed part-way leaves NAME.part with the complete pieces so far and nothing else, and an old
// NAME stays whole until the new one is.
//
// NAME.part is always a new file of this user's, made under a hidden name and given its name
// only where none is, so it is never a file or pipe that somebody else put there first: another
// user's NAME.part, a link or anything but an ordinary file is refused. While it is written it
// is locked, so a second writer of the same NAME, in this process or another, is refused at
// once; an unlocked NAME.part of this user's is the remains of a killed job and is replaced.
// The target is found through `followLinksForWriting`, as for every output. A device (/dev/null)
// is written in place and never renamed over; a pipe, socket or folder is refused without
// waiting on it. Every failure throws `FileWriteError` naming the full path at fault.
class AppendingFile {
 public:
  explicit AppendingFile(const std::string& path);
  // Closes without finishing: NAME.part stays, with what was appended.
  ~AppendingFile() = default;
  AppendingFile(const AppendingFile&) = delete;
  AppendingFile& operator=(const AppendingFile&) = delete;

  // Written at once; a piece that fails halfway (a full disk) is cut off again, so the file
  // only ever holds whole pieces.
  void append(std::string_view bytes);
  // Brings the file to the disk and moves it over the target.
  void finish();

  // The target as the user named it, and where it is written meanwhile ("" for a device).
  const std::string& path() const { return path_; }
  const std::string& partPath() const { return partPath_; }

 private:
  void createPart();
  Descriptor lockStalePart() const;

  std::string path_;
  std::string target_;  // the file the path names, links followed
  std::string partPath_;
  Descriptor fd_;
  mode_t mode_ = 0;
  off_t complete_ = 0;  // bytes of whole pieces written
};

}  // namespace kvt
