// SPDX-License-Identifier: MIT
#include "tabulated_law.h"

#include <string>

#include "analysis_error.h"
#include "params/format_number.h"
#include "slip_fault.h"

namespace kvt {

namespace {

[[noreturn]] void refusePoint(std::size_t index, const std::string& reason) {
  throw ParameterError("bond law table: point " + std::to_string(index + 1) + " " + reason);
}

void checkPoints(const std::vector<LawPoint>& points) {
  if (points.empty()) throw ParameterError("bond law table: it has no point");
  for (std::size_t i = 0; i < points.size(); ++i) {
    const LawPoint& p = points[i];
    if (!std::isfinite(p.slip) || !std::isfinite(p.stress))
      refusePoint(i, "is not a pair of finite numbers");
    if (p.slip < 0) refusePoint(i, "has a negative slip");
    if (p.stress < 0) refusePoint(i, "has a negative bond stress");
    if (i > 0 && !(p.slip > points[i - 1].slip))
      refusePoint(i, "does not slip further than the point before it (" +
                         formatNumber(points[i - 1].slip, "0.000e+00") + " cm)");
  }
}

}  // namespace

TabulatedLaw::TabulatedLaw(const std::vector<LawPoint>& points) {
  checkPoints(points);
  auto table = std::make_shared<Table>();
  // Without a point at zero slip the law rises from zero stress: no slip, no bond force.
  if (points.front().slip > 0) {
    table->slips.push_back(0);
    table->stresses.push_back(0);
  }
  for (const LawPoint& p : points) {
    table->slips.push_back(p.slip);
    table->stresses.push_back(p.stress);
    peak_ = std::max(peak_, p.stress);
  }
  for (std::size_t i = 0; i + 1 < table->slips.size(); ++i) {
    const double slope =
        (table->stresses[i + 1] - table->stresses[i]) / (table->slips[i + 1] - table->slips[i]);
    if (!std::isfinite(slope))
      refusePoint(i + 1 - (table->slips.size() - points.size()),
                  "is so close to the point before it that the slope between them overflows");
    table->slopes.push_back(slope);
  }
  table->slopes.push_back(0);
  table_ = std::move(table);
}

double TabulatedLaw::stress(double s) const {
  const double tau = stressOrNaN(s);
  if (std::isnan(tau)) throwNotASlip("the tabulated bond law", s);
  return tau;
}

std::vector<double> TabulatedLaw::kinks() const {
  return {table_->slips.begin() + 1, table_->slips.end()};
}

}  // namespace kvt
