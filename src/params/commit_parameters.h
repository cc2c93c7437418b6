// SPDX-License-Identifier: MIT
#pragma once

#include "analysis_parameters.h"
#include "box_texts.h"
#include "numeric_check.h"

namespace kvt {

// Stores all nineteen numeric boxes into the record in their fixed order, as "Execute" does:
// Ec × 100000 and Es × 1000000 formed in double and rounded once to single; C1 and C2 stored,
// then multiplied by the stored σt and rounded again. Those four steps are checked; the first
// check that fires stops the command there, throwing `NumericError`, with the fields of earlier
// steps already stored and later ones untouched. `comment` and `detailOutput` are kept current by
// their box rules and are not read here.
void commitParameters(const BoxTexts& boxes, AnalysisParameters& p);

}  // namespace kvt
