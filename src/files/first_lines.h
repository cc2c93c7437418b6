// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <string>
#include <variant>
#include <vector>

namespace kvt {

// Why the first lines of a file could not be read, in words for a one-line message.
struct LinesUnreadable {
  std::string reason;  // "No such file or directory", "it is a pipe, not an ordinary file", …
};

// The first `count` lines of an ordinary file, without their line ends; fewer when the file ends
// before (a last line without an end still counts). Only an ordinary file is read, and it is
// opened without waiting, so a pipe, a device such as /dev/zero or a folder is refused at once.
// Reading stops after the `count`th line or at `byteLimit` bytes, whichever comes first: a file
// chosen by mistake may be huge, and one that does not end its lines within the limit is refused.
//
// Line ends: a file whose first `count` lines hold a CR LF ends its lines with CR LF only, and a
// lone CR or LF in it is part of a line's text (taking it as an end would shift every later line
// by one). Any other file ends its lines with LF or CR, whichever it uses.
std::variant<std::vector<std::string>, LinesUnreadable> readFirstLines(const std::string& path,
                                                                       std::size_t count,
                                                                       std::size_t byteLimit);

}  // namespace kvt
