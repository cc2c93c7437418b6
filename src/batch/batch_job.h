// SPDX-License-Identifier: MIT
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "batch_command_line.h"
#include "output/clock.h"

namespace kvt {

// One parameter file as kvt-batch tells of it: the summary line of a run that finished, or one
// line naming the file and why it failed; the entries read only in part; every file written.
struct BatchResult {
  bool succeeded = false;
  std::string message;
  std::vector<std::string> warnings;
  std::vector<std::string> files;
};

// Runs a parameter file (`runParameterFile`) and puts what became of it into words. Never throws
// for a fault of the file, the run or an output.
BatchResult runAndReport(const std::string& path, const BatchOptions& options, const Clock& clock);

// Runs what a parsed command line asks for: each parameter file, or a study on each base file.
// Result lines go to `out`, errors (prefixed "kvt-batch: ") and the progress line to `err`.
// Returns the exit status: 0 when everything ran, 1 when a file or a run failed, 2 when a base
// file or the output folder is unusable, which is found before anything is run or written.
int runBatchCommand(const BatchCommand& command, const Clock& clock, std::FILE* out,
                    std::FILE* err);

}  // namespace kvt
