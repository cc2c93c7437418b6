// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <boost/math/tools/minima.hpp>
#include <boost/math/tools/toms748_solve.hpp>
#include <cmath>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "converged_march.h"
#include "converged_run.h"

namespace kvt::converged {

struct Sample {
  double s0 = 0;
  double slip = 0;
  double force = 0;
};

// Finds Pbumax near the highest of a row of samples, by growing s0.
//
// Near a smooth maximum the force changes only with the square of the distance in s0, so its
// own values could place the maximum no better than the square root of their accuracy. The
// search brackets instead the zero of ∂P(lb)/∂s0, which the march computes alongside.
//
// Some maxima are flat: the bi-linear plateau carried by the whole bar holds the load exactly,
// and a long bar holds it to within e^(−λ·lb) while its free end barely moves, where the zero of
// the derivative is a matter of rounding. So the search then widens from the zero to where the
// load starts to change: the range over which (s0/P)·∂P/∂s0 stays within ±kFlat, a range whose
// ends are as well defined as a sharp maximum. A smooth maximum gives a range narrower than a
// millionth of s0, and is given as its zero alone.
template <BondStressLaw L>
class PeakSearch {
 public:
  explicit PeakSearch(const ConvergedMarch<L>& march) : march_(march) {}

  Sample sample(double s0) const {
    const LoadedEnd end = march_.loadedEnd(s0);
    return {s0, end.slip, end.force};
  }

  ConvergedPeak find(const std::vector<Sample>& row) const {
    const auto highest = std::max_element(row.begin(), row.end(),
                                          [](auto& a, auto& b) { return a.force < b.force; });
    const std::size_t m = static_cast<std::size_t>(highest - row.begin());
    // Highest at an end of the row: the load still rises where the curve ends.
    if (m == 0 || m + 1 == row.size()) return peakAt(row[m].s0, row[m].s0);
    const std::optional<double> zero = slopeZero(row, m);
    if (!zero) return byForceAlone(row[m - 1].s0, row[m + 1].s0);
    const double top = highest->force;
    return peakAt(rangeEnd(*zero, top, -1, row.front().s0),
                  rangeEnd(*zero, top, +1, row.back().s0));
  }

 private:
  static constexpr double kFlat = 1e-7;

  static bool closeEnough(double a, double b) { return b - a <= kPeakSlipTolerance * b; }
  static bool onTop(double force, double highest) { return force >= highest * (1 - 1e-6); }

  // The zero of ∂P(lb)/∂s0 nearest the highest sample, in the direction the load rises. On a
  // flat top the highest sample may be any of several equal to rounding, and the zero lies where
  // the top begins or ends: the walk goes on over samples on the top until the sign changes.
  std::optional<double> slopeZero(const std::vector<Sample>& row, std::size_t m) const {
    double here = march_.loadedEndWithSlope(row[m].s0).forcePerS0;
    if (here == 0) return row[m].s0;
    const bool up = here > 0;
    for (std::size_t j = m; up ? j + 1 < row.size() : j > 0; up ? ++j : --j) {
      const std::size_t next = up ? j + 1 : j - 1;
      const LoadedEndSlope there = march_.loadedEndWithSlope(row[next].s0);
      const bool top = onTop(there.force, row[m].force);
      // A zero derivative counts only on the top: where no bond is left it is zero too.
      if (there.forcePerS0 == 0 && top) return row[next].s0;
      if (there.forcePerS0 != 0 && (there.forcePerS0 > 0) != up)
        return zeroBetween(row[j].s0, row[next].s0, here, there.forcePerS0);
      if (!top) break;
      here = there.forcePerS0;
    }
    return std::nullopt;
  }

  double zeroBetween(double s0, double t0, double slopeS, double slopeT) const {
    const auto slope = [this](double s) { return march_.loadedEndWithSlope(s).forcePerS0; };
    std::uintmax_t iterations = 200;
    const auto bracket = s0 < t0 ? boost::math::tools::toms748_solve(slope, s0, t0, slopeS, slopeT,
                                                                     closeEnough, iterations)
                                 : boost::math::tools::toms748_solve(slope, t0, s0, slopeT, slopeS,
                                                                     closeEnough, iterations);
    return bracket.first + (bracket.second - bracket.first) / 2;
  }

  bool flat(double s0, double highest) const {
    const LoadedEndSlope end = march_.loadedEndWithSlope(s0);
    return end.force > 0 && onTop(end.force, highest) &&
           std::abs(s0 * end.forcePerS0) <= kFlat * end.force;
  }

  // The end of the flat range around `zero` in `direction` (−1 down, +1 up), not beyond
  // `bound`: probes at growing distances, then bisection between the last flat probe and the
  // first that is not.
  double rangeEnd(double zero, double highest, int direction, double bound) const {
    double inner = zero;
    double outer = zero;
    for (double share = 1e-6;; share *= 4) {
      outer =
          direction > 0 ? std::min(zero * (1 + share), bound) : std::max(zero / (1 + share), bound);
      if (outer == inner) return inner;  // flat up to the end of the curve
      if (!flat(outer, highest)) break;
      inner = outer;
    }
    if (inner == zero) return zero;  // a sharp maximum
    double a = std::min(inner, outer), b = std::max(inner, outer);
    while (!closeEnough(a, b)) {
      const double middle = a + (b - a) / 2;
      (flat(middle, highest) == (direction > 0) ? a : b) = middle;
    }
    return direction > 0 ? a : b;
  }

  // Pbumax is the load at the first slip that reaches it, as in the march; over a flat range
  // the load differs from it by less than kFlat per unit of ln s0.
  ConvergedPeak peakAt(double firstS0, double lastS0) const {
    const Sample first = sample(firstS0);
    const Sample last = lastS0 == firstS0 ? first : sample(lastS0);
    const double tauScale = march_.bar().length * march_.bar().phi;
    return {first.force, first.force / tauScale, firstS0, lastS0, first.slip, last.slip};
  }

  // A last resort where the derivative and the forces disagree: the forces alone, to the square
  // root of their accuracy.
  ConvergedPeak byForceAlone(double a, double b) const {
    const auto result = boost::math::tools::brent_find_minima(
        [this](double s0) { return -sample(s0).force; }, a, b, 40);
    return peakAt(result.first, result.first);
  }

  const ConvergedMarch<L>& march_;
};

}  // namespace kvt::converged
