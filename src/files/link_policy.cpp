// SPDX-License-Identifier: MIT
#include "link_policy.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace kvt {

namespace {

class LinkPolicyCategory : public std::error_category {
 public:
  const char* name() const noexcept override { return "kvt.link"; }
  std::string message(int) const override {
    return "it is a symbolic link owned by another user in a folder that every user may write "
           "to, and such a link is not followed";
  }
  // Reported to the user as the system reports the same refusal: permission denied.
  std::error_condition default_error_condition(int) const noexcept override {
    return std::errc::permission_denied;
  }
};

constexpr int kMaxLinks = 40;  // as the kernel's own limit

bool mayFollow(const struct stat& link, const std::string& folder) {
  struct stat info {};
  if (::stat(folder.empty() ? "." : folder.c_str(), &info) != 0) return true;
  const bool shared = (info.st_mode & S_ISVTX) != 0 && (info.st_mode & S_IWOTH) != 0;
  return !shared || link.st_uid == ::geteuid() || link.st_uid == info.st_uid;
}

std::string readLink(const std::string& path, std::size_t sizeHint) {
  std::vector<char> target(sizeHint + 1);
  for (;;) {
    const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
    if (length < 0) return {};
    if (static_cast<std::size_t>(length) < target.size())
      return std::string(target.data(), static_cast<std::size_t>(length));
    target.resize(target.size() * 2);
  }
}

// The folder's links are followed first, so that the folder in which the last name is looked up
// is a real one, and the rule is applied to each link in the folder that holds it.
std::string follow(const std::string& path, int& links, std::error_code& error) {
  const std::size_t slash = path.rfind('/');
  std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  std::size_t folderEnd = folder.find_last_not_of('/');
  if (folderEnd != std::string::npos) {
    folder = follow(folder.substr(0, folderEnd + 1), links, error);
    if (error) return {};
    folder += '/';
  }
  const std::string candidate = folder + name;
  struct stat link {};
  if (name.empty() || ::lstat(candidate.c_str(), &link) != 0 || !S_ISLNK(link.st_mode))
    return candidate;
  if (++links > kMaxLinks) {
    error = std::make_error_code(std::errc::too_many_symbolic_link_levels);
    return {};
  }
  if (!mayFollow(link, folder)) {
    error = unsafeLinkError();
    return {};
  }
  const std::string target = readLink(candidate, static_cast<std::size_t>(link.st_size));
  if (target.empty()) return candidate;  // vanished meanwhile: the open will tell
  return follow(target.front() == '/' ? target : folder + target, links, error);
}

}  // namespace

std::error_code unsafeLinkError() {
  static const LinkPolicyCategory category;
  return {EACCES, category};
}

std::string followLinksForWriting(const std::string& path, std::error_code& error) {
  error.clear();
  int links = 0;
  return follow(path, links, error);
}

}  // namespace kvt
