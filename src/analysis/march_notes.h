// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>

#include "run_record.h"

namespace kvt {

// What the march of segments does not say in its numbers, for the parameter window's Δl box and
// kvt-batch's standard error.

// The march analyses lb rounded up to whole segments of Δl (each counted in whole thousandths of
// a cm). When that length differs from lb by more than 0.1 %: "lb 20 is analysed as 20.15 cm: 31
// segments of 0.65 cm". None for a bar the march cannot divide; the run names that fault itself.
std::optional<std::string> analysedLengthNote(float lb, float deltaL);

// When the run's first step already carries more than 10 % of Pbumax, its load–slip curve has
// no rising branch to speak of (a long bar at s0 = 1e-10 cm): "the rising branch is not
// resolved: the first step already carries 100 % of Pbumax".
std::optional<std::string> risingBranchNote(const RunRecord& record);

}  // namespace kvt
