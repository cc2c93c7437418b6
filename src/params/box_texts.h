// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <string>

namespace kvt {

// The texts of the parameter window's boxes, Text1 … Text22, indexed by box number
// (0, 18 and 19 are unused: the window has no such boxes).
struct BoxTexts {
  static constexpr int kLast = 22;
  std::array<std::string, kLast + 1> text;

  std::string& operator[](int box) { return text.at(static_cast<std::size_t>(box)); }
  const std::string& operator[](int box) const { return text.at(static_cast<std::size_t>(box)); }
  bool operator==(const BoxTexts&) const = default;
};

}  // namespace kvt
