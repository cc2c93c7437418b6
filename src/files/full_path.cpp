// SPDX-License-Identifier: MIT
#include "full_path.h"

#include <filesystem>
#include <system_error>

namespace kvt {

std::string fullPath(const std::string& path) {
  if (path.empty()) return path;
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  return error ? path : absolute.lexically_normal().string();
}

}  // namespace kvt
