// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <vector>

namespace kvt {

// One measured point of a local bond law, in kvt's units.
struct LawPoint {
  double slip = 0;    // cm
  double stress = 0;  // kgf/cm²
};

// A bond law given as points (s, τ): linear between them, from zero stress at zero slip up to
// the first point, and the last stress held beyond the last point. The points are shared, so a
// copy of the law (the march keeps one per chunk of segments) costs no allocation.
class TabulatedLaw {
 public:
  // Throws `ParameterError` naming the point (1 …) when the points give no law: none at all, a
  // value that is not a finite number, a negative slip or stress, or slips that do not increase.
  explicit TabulatedLaw(const std::vector<LawPoint>& points);

  double stress(double s) const;
  double stressOrNaN(double s) const;
  double peak() const { return peak_; }
  std::vector<double> kinks() const;
  double residualFrom() const { return table_->slips.back(); }
  double residualStress() const { return table_->stresses.back(); }

 private:
  struct Table {
    std::vector<double> slips, stresses, slopes;  // from (0, 0) on; slopes[i] to point i + 1
  };
  std::shared_ptr<const Table> table_;
  double peak_ = 0;
};

inline double TabulatedLaw::stressOrNaN(double s) const {
  if (!(s >= 0)) [[unlikely]]
    return std::numeric_limits<double>::quiet_NaN();
  const Table& t = *table_;
  if (s >= t.slips.back()) return t.stresses.back();
  // The first point beyond s; the table starts at slip 0, so it is never the first.
  const auto next = std::upper_bound(t.slips.begin(), t.slips.end(), s);
  const auto i = static_cast<std::size_t>(next - t.slips.begin()) - 1;
  return t.stresses[i] + t.slopes[i] * (s - t.slips[i]);
}

}  // namespace kvt
