// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>

namespace kvt {

// Why the file at `path` may not be loaded as code, or nothing when it may. Code runs with the
// rights of the user who loads it, so nobody else may have been able to put it there: the file
// and every folder on the way to it, and every symbolic link on that way, must belong to root or
// to this user, and nobody else may write to them. A folder that everyone may write to but that
// keeps users' entries apart (the sticky bit, as /tmp) is safe on the way, since nobody else can
// rename or replace what is in it, but not as the file's own folder, where anyone could have
// put the file first. The reason names the path that failed the rule.
std::optional<std::string> untrustedCode(const std::string& path);

}  // namespace kvt
