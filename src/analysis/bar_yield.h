// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>

#include "run_record.h"
#include "units.h"

namespace kvt {

// The march takes the bar as elastic however hard it is pulled. No deformed bar of JIS G 3112
// carries 7,000 kgf/cm²: SD490, the strongest, yields at 490 to 625 N/mm², about 5,000 to 6,400
// kgf/cm². A run whose bar stress P/Ab passes it describes a bar that would have yielded before
// it pulled out.
inline constexpr double kNoBarCarries = 7000;  // kgf/cm²

// Pbumax / Ab, kgf/cm²; 0 before any step or for Ab = 0.
double peakBarStress(const RunRecord& run);

// "the bar stress at Pbumax, 9620 kgf/cm², is beyond any deformed bar's yield stress: the bar
// would have yielded first (the analysis takes it as elastic)", or nothing for a bar that stays
// below 7,000 kgf/cm².
std::optional<std::string> elasticBarNote(const RunRecord& run, UnitSystem units);

// With the bar's yield stress fy (kgf/cm²): whether it yields before it pulls out, in words,
// "the bar yields before it pulls out: fy·Ab = 4445 kgf < Pbumax = 7798 kgf" or "the bar pulls
// out before it yields: Pbumax = 7798 kgf < fy·Ab = 9900 kgf".
std::string yieldVerdict(const RunRecord& run, double fyKgfCm2, UnitSystem units);

}  // namespace kvt
