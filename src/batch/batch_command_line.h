// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "batch_run.h"
#include "error/error.h"
#include "study_run.h"

namespace kvt {

// What a kvt-batch command line asks for.
struct BatchCommand {
  enum class Action { Run, Help, Version };
  Action action = Action::Run;
  BatchOptions options;
  StudyOptions study;
  std::vector<std::string> files;
  std::optional<std::string> lawFile;  // --law: read before anything runs
  std::string fyText;  // --fy as given: "345MPa", or bare in the units of the outputs
  // What the user should know before anything runs, for standard error (a range that stops
  // short of its stop).
  std::vector<std::string> notes;

  // --codes without a study: the codes' lengths of each case are printed and nothing runs.
  bool codesOnly() const { return !study.codes.codes.empty() && !study.isStudy(); }
};

// The largest grid that runs without --yes.
inline constexpr std::uint64_t kLargestGridWithoutYes = 100000;

// Reads the arguments after the program name. Options take their value as the next argument or
// after "=" ("--profile-csv=1,251"; "-j4" for the short one); "--" ends the options, so a file
// may be called "-x.kvt". Everything that can be checked without reading a file is checked
// here, so that a mistake stops the job before anything is written: a run without files, an
// unknown entry, a malformed list or range, a grid too large without --yes, a shard outside
// 1 … N, options that contradict each other. Throws `UsageError`.
BatchCommand parseBatchCommandLine(const std::vector<std::string>& args);

// The text of --help.
std::string_view batchUsage();

}  // namespace kvt
