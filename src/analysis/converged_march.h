// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <span>
#include <vector>

#include "bar_model.h"
#include "bond_law_concept.h"
#include "converged_records.h"
#include "piecewise_integration.h"

namespace kvt {

// The converged analysis of one free-end slip: the bar's equations dP/dx = φ·τ(s) and
// ds/dx = P/(Es·Ab) integrated from the free end (P = 0, s = s0) to x = lb exactly, to a relative
// tolerance instead of over segments of a fixed length. Any law of the `BondStressLaw` concept.
template <BondStressLaw L>
class ConvergedMarch {
 public:
  ConvergedMarch(const L& law, const BarModel& bar, double relativeTolerance)
      : law_(law), kinks_(law.kinks()), bar_(bar), tolerance_(relativeTolerance) {}

  LoadedEnd loadedEnd(double s0) const {
    converged::PiecewiseIntegration<L, 2> march(law_, kinks_, bar_, tolerance_, s0);
    const auto y = march.run([](auto&&...) {});
    return {y[0], y[1]};
  }

  // The derivatives come from the law's slope by differences, good to about 1e-11; their
  // tolerance stays above that noise.
  LoadedEndSlope loadedEndWithSlope(double s0) const {
    constexpr double kSlopeTolerance = 1e-9;
    converged::PiecewiseIntegration<L, 4> march(law_, kinks_, bar_,
                                                std::max(tolerance_, kSlopeTolerance), s0);
    const auto y = march.run([](auto&&...) {});
    return {y[0], y[1], y[2], y[3]};
  }

  // The distribution at the distances `xs` (cm, ascending, within 0 … lb) from the integrator's
  // dense output: as accurate as the loaded end, at any number of points for the cost of one
  // march.
  std::vector<ProfilePoint> profile(double s0, std::span<const double> xs) const {
    std::vector<ProfilePoint> points;
    points.reserve(xs.size());
    std::size_t next = 0;
    const auto add = [&](double x, double s, double P) {
      points.push_back({x, s, P, law_.stress(s)});
      ++next;
    };
    while (next < xs.size() && xs[next] <= 0)
      add(xs[next], s0, 0);
    converged::PiecewiseIntegration<L, 2> march(law_, kinks_, bar_, tolerance_, s0);
    march.run([&](auto& stepper, double xOld, const auto& yOld, const auto& dydxOld, double xNew,
                  const auto& yNew, const auto& dydxNew) {
      std::array<double, 2> at;
      while (next < xs.size() && xs[next] <= xNew) {
        stepper.calc_state(xs[next], at, yOld, dydxOld, xOld, yNew, dydxNew, xNew);
        add(xs[next], at[0], at[1]);
      }
    });
    const auto& loaded = march.state();
    while (next < xs.size())
      add(xs[next], loaded[0], loaded[1]);
    return points;
  }

  const L& law() const { return law_; }
  const BarModel& bar() const { return bar_; }
  const std::vector<double>& kinks() const { return kinks_; }
  double relativeTolerance() const { return tolerance_; }

 private:
  L law_;
  std::vector<double> kinks_;
  BarModel bar_;
  double tolerance_;
};

}  // namespace kvt
