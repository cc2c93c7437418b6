// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <system_error>

namespace kvt {

// The file a path finally names, every symbolic link in it followed as the system follows it, so
// that writing through a link in the user's own folder writes the file the link points at. In a
// folder that every user may write to and that keeps users' files apart (world-writable with the
// sticky bit, as /tmp), a link owned by somebody other than the user and the folder's owner is
// not followed: anyone can plant such a link there, pointing at any file of the user's. This is
// the kernel's protected-symlinks rule, kept whether or not the system enforces it, and also for
// links that the program follows itself. A refusal sets `error` (`unsafeLinkError()`), as does a
// loop of links (ELOOP); a path that does not exist yet is returned as it stands.
std::string followLinksForWriting(const std::string& path, std::error_code& error);

// The error of a refused link; its message says why.
std::error_code unsafeLinkError();

}  // namespace kvt
