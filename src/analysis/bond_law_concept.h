// SPDX-License-Identifier: MIT
#pragma once

#include <concepts>
#include <vector>

namespace kvt {

// What an analysis needs of a local bond stress–slip law τ(s) (kgf/cm², s in cm): the stress,
// throwing `AnalysisError` on a fault; the same with NaN instead of the exception, for inner
// loops; the reference stress τbmax of a run; and the slips, ascending, at which τ or its slope
// jumps (between them the law is smooth). `BondLaw` is kvt's own; the other laws offer the same.
template <class L>
concept BondStressLaw = requires(const L& law, double s) {
  { law.stress(s) } -> std::convertible_to<double>;
  { law.stressOrNaN(s) } -> std::convertible_to<double>;
  { law.peak() } -> std::convertible_to<double>;
  { law.kinks() } -> std::convertible_to<std::vector<double>>;
};

}  // namespace kvt
