// SPDX-License-Identifier: MIT
// kvt-batch's argument parsing on any arguments (NUL-separated in the input), whatever options
// it knows: never crashes; a usage error is one non-empty line (unless it quotes an argument
// with a line break); a run names at least one file, its files are arguments in the order given,
// and after a leading "--" every argument is a file. (A later "--" may be an option's value.)
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "batch/batch_command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> args;
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  while (!rest.empty()) {
    const std::size_t end = std::min(rest.find('\0'), rest.size());
    args.emplace_back(rest.substr(0, end));
    rest.remove_prefix(std::min(end + 1, rest.size()));
  }
  kvt::BatchCommand command;
  try {
    command = kvt::parseBatchCommandLine(args);
  } catch (const kvt::UsageError& error) {
    // One line, unless it quotes an argument that holds a line break itself.
    const bool quotesABreak = std::any_of(args.begin(), args.end(), [](const std::string& arg) {
      return arg.find('\n') != std::string::npos;
    });
    const std::string message = error.what();
    if (message.empty() || (!quotesABreak && message.find('\n') != std::string::npos)) std::abort();
    return 0;
  }
  if (command.action != kvt::BatchCommand::Action::Run) return 0;
  if (command.files.empty()) std::abort();
  auto next = args.begin();
  for (const std::string& file : command.files) {
    next = std::find(next, args.end(), file);
    if (next == args.end()) std::abort();
    ++next;
  }
  if (args.front() == "--" &&
      !std::equal(args.begin() + 1, args.end(), command.files.begin(), command.files.end()))
    std::abort();
  return 0;
}
