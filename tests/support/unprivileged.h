// SPDX-License-Identifier: MIT
#pragma once

#include <unistd.h>

namespace kvt::testing {

// Runs the scope as the unprivileged user "nobody" when the tests run as root (as in a CI
// container), so that file permissions apply; a non-root user is unprivileged already.
class Unprivileged {
 public:
  Unprivileged() : wasRoot_(::geteuid() == 0) {
    if (!wasRoot_) return;
    ok_ = ::setegid(kNobody) == 0 && ::seteuid(kNobody) == 0;
  }
  ~Unprivileged() {
    if (!wasRoot_) return;
    [[maybe_unused]] const int user = ::seteuid(0);
    [[maybe_unused]] const int group = ::setegid(0);
  }
  Unprivileged(const Unprivileged&) = delete;
  Unprivileged& operator=(const Unprivileged&) = delete;

  // False when root could not give up its rights (then permission tests cannot run).
  bool active() const { return !wasRoot_ || ok_; }

 private:
  static constexpr uid_t kNobody = 65534;
  bool wasRoot_;
  bool ok_ = false;
};

}  // namespace kvt::testing
