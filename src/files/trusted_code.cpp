// SPDX-License-Identifier: MIT
#include "trusted_code.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <system_error>

namespace kvt {

namespace {

namespace fs = std::filesystem;

enum class Role { OnTheWay, OwnFolder, File };

std::optional<std::string> checkEntry(const fs::path& path, Role role) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0)
    return path.string() + " cannot be examined: " + std::strerror(errno);
  if (info.st_uid != 0 && info.st_uid != ::geteuid())
    return path.string() + " belongs to another user (uid " + std::to_string(info.st_uid) + ")";
  // A link's own mode means nothing; what it names is checked along the resolved path.
  if (S_ISLNK(info.st_mode)) return std::nullopt;
  const bool othersWrite = (info.st_mode & (S_IWGRP | S_IWOTH)) != 0;
  if (role == Role::File) {
    if (!S_ISREG(info.st_mode)) return path.string() + " is not an ordinary file";
    if (othersWrite) return path.string() + " can be written by other users";
    return std::nullopt;
  }
  if (!S_ISDIR(info.st_mode)) return path.string() + " is not a folder";
  if (!othersWrite) return std::nullopt;
  if (role == Role::OwnFolder)
    return "its folder " + path.string() + " can be written by other users";
  if ((info.st_mode & S_ISVTX) != 0) return std::nullopt;
  return "the folder " + path.string() +
         " above it can be written by other users and does not keep their files apart";
}

// The file and each folder above it, up to the root, as the path names them.
std::optional<std::string> checkPath(const fs::path& file) {
  if (auto problem = checkEntry(file, Role::File)) return problem;
  fs::path folder = file.parent_path();
  Role role = Role::OwnFolder;
  for (;;) {
    if (auto problem = checkEntry(folder, role)) return problem;
    if (folder == folder.root_path()) return std::nullopt;
    folder = folder.parent_path();
    role = Role::OnTheWay;
  }
}

}  // namespace

std::optional<std::string> untrustedCode(const std::string& path) {
  std::error_code error;
  const fs::path named = fs::absolute(path, error).lexically_normal();
  if (error) return path + " cannot be examined: " + error.message();
  // The way as written, for the links on it, and the way the links lead to.
  if (auto problem = checkPath(named)) return problem;
  const fs::path resolved = fs::canonical(named, error);
  if (error) return named.string() + " cannot be examined: " + error.message();
  if (resolved == named) return std::nullopt;
  return checkPath(resolved);
}

}  // namespace kvt
