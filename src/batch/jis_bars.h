// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <string_view>

namespace kvt {

// A deformed bar of JIS G 3112 by its nominal name, with the nominal diameter (cm), area (cm²)
// and perimeter (cm) as a study types them into the db, Ab and φ boxes.
struct JisBar {
  std::string_view name;
  std::string_view db;
  std::string_view Ab;
  std::string_view phi;
};

extern const std::array<JisBar, 13> kJisBars;

// The bar of a name such as "D13" (the letter in either case), or nullptr.
const JisBar* findJisBar(std::string_view name);

}  // namespace kvt
