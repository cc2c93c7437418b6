// SPDX-License-Identifier: MIT
#include "kvt_command_line.h"

#include <optional>

namespace kvt::ui {

namespace {

constexpr std::string_view kUsage =
    "usage: kvt [OPTION]... [FILE.kvt]\n"
    "\n"
    "Starts the parameter window of kvt, the bond analysis of a deformed bar pulled out of\n"
    "concrete. With FILE.kvt the window starts with that parameter file loaded, as \"Open\" would\n"
    "load it, and its runs write their report beside it (beam1.kvt gives beam1.T-S). Without a\n"
    "file, or when the file cannot be read, the window starts with its default entries.\n"
    "\n"
    "  --help      show this text\n"
    "  --version   show the version\n"
    "  --          end of the options: the next argument is the file\n"
    "\n"
    "Qt's own options (-platform, -style, ...) are accepted too. kvt-batch runs parameter files\n"
    "without the window; the manual pages kvt(1) and kvt-batch(1) tell more.\n";

}  // namespace

std::string_view kvtUsage() {
  return kUsage;
}

KvtCommand parseKvtCommandLine(const std::vector<std::string>& args) {
  KvtCommand command;
  std::optional<std::string> unknown;
  std::vector<std::string> files;
  bool optionsEnded = false;
  for (const std::string& arg : args) {
    if (optionsEnded || !arg.starts_with('-') || arg == "-") {
      files.push_back(arg);
    } else if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "--help" || arg == "-h") {
      command.action = KvtCommand::Action::Help;
      return command;
    } else if (arg == "--version") {
      command.action = KvtCommand::Action::Version;
      return command;
    } else if (!unknown) {
      unknown = arg;
    }
  }
  if (unknown) throw UsageError("unknown option " + *unknown);
  if (files.size() > 1)
    throw UsageError("one parameter file at a time, not " + std::to_string(files.size()));
  if (!files.empty()) command.file = files.front();
  return command;
}

}  // namespace kvt::ui
