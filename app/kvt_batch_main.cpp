// SPDX-License-Identifier: MIT
// kvt-batch: runs parameter files without the window, one summary line per file.
#include <cstdio>
#include <exception>
#include <string>
#include <variant>
#include <vector>

#include "batch/batch_command_line.h"
#include "batch/batch_run.h"
#include "output/clock.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const auto parsed = kvt::parseBatchCommandLine(args);
  if (const auto* error = std::get_if<kvt::UsageError>(&parsed)) {
    std::fprintf(stderr, "kvt-batch: %s\nTry 'kvt-batch --help' for more information.\n",
                 error->message.c_str());
    return 2;
  }
  const auto& command = std::get<kvt::BatchCommand>(parsed);
  if (command.action == kvt::BatchCommand::Action::Help) {
    std::fwrite(kvt::batchUsage().data(), 1, kvt::batchUsage().size(), stdout);
    return 0;
  }
  if (command.action == kvt::BatchCommand::Action::Version) {
    std::printf("kvt-batch %s\n", KVT_VERSION);
    return 0;
  }
  const kvt::SystemClock clock;
  int failures = 0;
  for (const std::string& file : command.files) {
    kvt::BatchResult result;
    try {
      result = kvt::runParameterFile(file, command.options, clock);
    } catch (const std::exception& error) {
      // Whatever went wrong with one file, the others still run.
      result.message = file + ": " + error.what();
    }
    for (const std::string& warning : result.warnings)
      std::fprintf(stderr, "kvt-batch: %s\n", warning.c_str());
    std::fprintf(result.succeeded ? stdout : stderr, "%s%s\n",
                 result.succeeded ? "" : "kvt-batch: ", result.message.c_str());
    if (!result.succeeded) ++failures;
  }
  return failures == 0 ? 0 : 1;
}
