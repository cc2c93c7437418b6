// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <memory>

#include "analysis/run_law.h"
#include "analysis/run_record.h"
#include "files/user_prompt.h"
#include "output/clock.h"
#include "params/parameter_entries.h"

namespace kvt::ui {

// What a study window reaches of the program around it.
struct StudyHost {
  // The parameter window's entries: a study's base case, and where "Use as case" puts a row.
  ParameterEntries& entries;
  UserPrompt& prompt;
  const Clock& clock;
  // Shows a run in a results window; when empty, the run gets a results window of its own.
  std::function<void(std::shared_ptr<const RunRecord>)> showRun;
  // Adds a run to the comparison; when empty, "Send to comparison" is not offered.
  std::function<void(std::shared_ptr<const RunRecord>)> compare;
  // The bond law of the next runs, as the parameter window's "Bond law…" chose it; when empty,
  // kvt's own.
  std::function<LawEntries()> law;
};

}  // namespace kvt::ui
