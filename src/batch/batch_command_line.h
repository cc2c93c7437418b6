// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "batch_run.h"

namespace kvt {

// What a kvt-batch command line asks for.
struct BatchCommand {
  enum class Action { Run, Help, Version };
  Action action = Action::Run;
  BatchOptions options;
  std::vector<std::string> files;
};

// A command line that cannot be run: one line saying why, without the program name.
struct UsageError {
  std::string message;
};

// Reads the arguments after the program name. Options take their value as the next argument or
// after "=" ("--profile-csv=1,251"); "--" ends the options, so a file may be called "-x.kvt".
// A run without files is a usage error.
std::variant<BatchCommand, UsageError> parseBatchCommandLine(const std::vector<std::string>& args);

// The text of --help.
std::string_view batchUsage();

}  // namespace kvt
