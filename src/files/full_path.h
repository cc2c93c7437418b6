// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace kvt {

// The path as an absolute one, for messages: a relative name resolves against the current
// folder, which the file window changes as the user browses, so "default.t-s" alone would not
// tell the user where the program tried to write. Taken when the file is used; the path itself
// when the current folder is gone.
std::string fullPath(const std::string& path);

}  // namespace kvt
