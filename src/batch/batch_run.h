// SPDX-License-Identifier: MIT
//
// The batch layer: running parameter files without the window, for parameter studies. Each file
// is loaded into a fresh set of entries exactly as the window would load it, committed as
// "Execute" commits it, and run with its result file written beside it. Every run works on a
// record of its own, so runs can go side by side.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "figures/figure.h"
#include "output/clock.h"
#include "output/units.h"

namespace kvt {

struct BatchOptions {
  std::optional<bool> detailOutput;         // overrides the file's "Detail output" line when set
  bool loadSlipCsv = false;                 // NAME.csv beside the result file
  std::set<int> profileSteps;               // NAME.stepN.csv, and its figure, for each step run
  UnitSystem units = UnitSystem::KgfCm;     // of the CSV files and figures; the report is kgf-cm
  std::vector<FigureFormat> figureFormats;  // report figures beside the result file
};

struct BatchResult {
  bool succeeded = false;
  std::string message;             // the summary line, or the error naming file and reason
  std::vector<std::string> files;  // every file written
  // Entries read only in part ("beam1.kvt: lb "20,5" is read as 20"); the run goes on with them.
  std::vector<std::string> warnings;
};

BatchResult runParameterFile(const std::string& path, const BatchOptions& options,
                             const Clock& clock);

// "beam1.T-S" gives "beam1" + suffix: the result file's name without its "T-S" (or "t-s").
std::string besideResultFile(const std::string& resultFile, const std::string& suffix);

}  // namespace kvt
