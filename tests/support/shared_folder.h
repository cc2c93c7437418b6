// SPDX-License-Identifier: MIT
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

namespace kvt::testing {

// A folder as /tmp is: every user may write to it, and the sticky bit keeps users' files apart.
inline void makeShared(const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder);
  ::chmod(folder.c_str(), 01777);
}

// A symbolic link at `link` to `target`, owned by the unprivileged user "nobody", as another
// user would plant it. False when this process may not give a link away (it is not root).
inline bool plantForeignLink(const std::filesystem::path& target,
                             const std::filesystem::path& link) {
  std::filesystem::create_symlink(target, link);
  constexpr uid_t kNobody = 65534;
  return ::lchown(link.c_str(), kNobody, kNobody) == 0;
}

}  // namespace kvt::testing
