// SPDX-License-Identifier: MIT
#pragma once

#include <cstdio>

#include "batch_command_line.h"
#include "output/clock.h"

namespace kvt {

// Runs what a parsed command line asks for: each parameter file, or a study on each base file.
// Result lines go to `out`, errors (prefixed "kvt-batch: ") and the progress line to `err`.
// Returns the exit status: 0 when everything ran, 1 when a file or a run failed, 2 when a base
// file or the output folder is unusable, which is found before anything is run or written.
int runBatchCommand(const BatchCommand& command, const Clock& clock, std::FILE* out,
                    std::FILE* err);

}  // namespace kvt
