// SPDX-License-Identifier: MIT
// kvt-batch: runs parameter files and parameter studies without the window.
#include <cstdio>
#include <string>
#include <vector>

#include "batch/batch_command_line.h"
#include "batch/batch_job.h"
#include "batch/terminal_text.h"
#include "output/clock.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  kvt::BatchCommand command;
  try {
    command = kvt::parseBatchCommandLine(args);
  } catch (const kvt::UsageError& error) {
    std::fprintf(stderr, "kvt-batch: %s\nTry 'kvt-batch --help' for more information.\n",
                 kvt::terminalText(error.what()).c_str());
    return 2;
  }
  if (command.action == kvt::BatchCommand::Action::Version) {
    std::printf("kvt-batch %s\n", KVT_VERSION);
    return 0;
  }
  const kvt::SystemClock clock;
  return kvt::runBatchCommand(command, clock, stdout, stderr);
}
