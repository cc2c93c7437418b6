// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "batch_command_line.h"

namespace kvt {

// A command that would write over one of its own inputs, or write one file as two of its
// outputs, is refused before anything runs: a summary named after the base file, or after a kept
// run's CSV, would destroy what the command reads or writes. Paths are compared as the system
// finds them, links followed; a device such as /dev/null is shared by every writer and never
// clashes. `summaries` are the summaries of the command's studies, in file order (none for
// plain runs). The message names the file by its full path and says what it is and what would
// be written over it.
std::optional<std::string> outputClash(const BatchCommand& command,
                                       const std::vector<std::string>& summaries);

}  // namespace kvt
