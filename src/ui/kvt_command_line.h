// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "error/error.h"

namespace kvt::ui {

// What a kvt command line asks for: the window, with a parameter file loaded at start if one is
// named, or one of the texts that need no window.
struct KvtCommand {
  enum class Action { Run, Help, Version };
  Action action = Action::Run;
  std::string file;  // empty: the window starts with its defaults
};

// Reads the arguments after the program name. "--help" (or "-h") and "--version" win wherever
// they stand before "--", so that they work even next to options meant for Qt, and without a
// display; "--" ends the options, so a file may be called "-x.kvt". Throws `UsageError`.
KvtCommand parseKvtCommandLine(const std::vector<std::string>& args);

// The text of --help.
std::string_view kvtUsage();

}  // namespace kvt::ui
