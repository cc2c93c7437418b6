// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace kvt::testing {

// A fresh directory under the system's temporary folder, removed with everything in it when the
// object goes. `Cwd` makes it the process's current directory for its lifetime.
class TempDir {
 public:
  TempDir() {
    std::random_device random;
    path_ = std::filesystem::temp_directory_path() /
            ("kvt-test-" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string file(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

class Cwd {
 public:
  explicit Cwd(const std::filesystem::path& dir) : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(dir);
  }
  ~Cwd() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
  }
  Cwd(const Cwd&) = delete;
  Cwd& operator=(const Cwd&) = delete;

 private:
  std::filesystem::path previous_;
};

}  // namespace kvt::testing
