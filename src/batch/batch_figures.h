// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "analysis/run_record.h"
#include "analysis/units.h"
#include "figures/figure.h"
#include "output/clock.h"

namespace kvt {

// The formats and the size of the report figures asked for.
struct FigureFiles {
  std::vector<FigureFormat> formats;
  FigureSize size;
  std::optional<double> fy;  // the bar's yield stress, kgf/cm²: fy·Ab on the load–slip figure
};

// The report figures of a run, beside its result file "NAME.T-S", in each of the formats:
// NAME.load-slip.EXT, NAME.tau-slip.EXT, NAME.bond-law.EXT, and NAME.profile.stepN.EXT for the
// peak step (the step of Pbumax) and for every step of `profileSteps` the run finished. Each
// file is replaced only when complete. Returns the files written; throws `FileWriteError` or
// `FigureModuleError`, leaving the files written before.
// With `stamp`, PDF files carry that moment as their creation date (see below).
std::vector<std::string> writeRunFigures(const RunRecord& run, const std::string& resultFile,
                                         const FigureFiles& files,
                                         const std::set<int>& profileSteps, UnitSystem units,
                                         const LocalDateTime* stamp = nullptr);

// A PDF carries the moment it was drawn as its creation date; this gives it `when` (local time)
// instead, so that a study's figures, like its result files, carry the study's start and are
// the same however its runs were scheduled. The date keeps its length, so the file's offsets
// hold. Other formats carry no date and are left alone.
void stampCreationDate(std::string& bytes, FigureFormat format, const LocalDateTime& when);

}  // namespace kvt
