// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <string_view>

#include "analysis_parameters.h"

namespace kvt {

// How "Execute" stores a box: the parsed number as is, scaled into kgf/cm² (the Ec and Es
// entries are in units of 10^5 and 10^6), or multiplied by the stored σt (C1 and C2 become k1
// and k2). The last two are checked for overflow and invalid operations.
enum class CommitKind { Plain, Scaled, TimesSigmaT };

// One numeric box of the parameter window: where its number goes, how it is shown and stored.
struct NumericBox {
  int number;  // Text<number>
  std::string_view controlName;
  std::string_view label;  // the caption beside the box, for messages
  float AnalysisParameters::*field;
  std::string_view pattern;  // display pattern of the load step
  double scale;              // stored = entry × scale (1 for plain boxes)
  CommitKind commit;
};

// The nineteen numeric boxes in the order in which "Execute" stores them and the load step fills
// them: Text2 … Text17, then Text20, Text21, Text22.
extern const std::array<NumericBox, 19> kNumericBoxes;

// The box of a control number, or nullptr for Text1 and numbers without a numeric box.
const NumericBox* findNumericBox(int number);

}  // namespace kvt
