// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "analysis_error.h"
#include "converged_foot.h"
#include "converged_march.h"
#include "converged_peak.h"
#include "converged_run.h"
#include "params/format_number.h"

namespace kvt {

namespace converged {

// The smallest kink beyond which the law carries no stress at all, if there is one: there the
// load is zero, and the march of segments ends.
template <BondStressLaw L>
std::optional<double> noBondBeyond(const L& law, const std::vector<double>& kinks) {
  constexpr double inf = std::numeric_limits<double>::infinity();
  std::optional<double> found;
  for (std::size_t j = kinks.size(); j-- > 0;) {
    const double k = kinks[j];
    bool zero = law.stressOrNaN(std::nextafter(k, inf)) == 0;
    if (j + 1 == kinks.size()) {
      for (double factor : {1.5, 2.0, 10.0, 1e3, 1e6})
        zero = zero && law.stressOrNaN(k * factor) == 0;
    } else {
      const double next = kinks[j + 1];
      zero = zero && law.stressOrNaN(k + (next - k) / 2) == 0 &&
             law.stressOrNaN(std::nextafter(next, -inf)) == 0;
    }
    if (!zero) break;
    found = k;
  }
  return found;
}

// The free-end slips of the curve. It starts where the load is below a small share of Pbumax,
// grows s0 so that neighbouring points differ by at most the set shares of Pbumax and of the
// loaded-end slip at Pbumax (either way: a snap-back stays as it comes), takes Pbumax's own
// slips on the way, and ends at the end slip.
template <BondStressLaw L>
class Runner {
 public:
  Runner(const L& law, const BarModel& bar, const ConvergedOptions& options)
      : march_(law, bar, options.relativeTolerance), search_(march_), options_(options) {}

  // Pbumax alone: the coarse row and the search, without the curve.
  ConvergedPeak peak() {
    double endS0 = 0;
    const ConvergedEnd end = chooseEnd(endS0);
    return search_.find(scan(end, endS0).row);
  }

  ConvergedResult run() {
    ConvergedResult result;
    result.end = chooseEnd(result.endS0);
    const Scan scanned = scan(result.end, result.endS0);
    result.peak = search_.find(scanned.row);
    if (result.end == ConvergedEnd::EndSlipDefault)
      result.endS0 = 20 * result.peak.firstLoadedEndSlip;
    const double start = scanned.foot ? kFootSlip : startSlip(scanned.row, result.peak);
    std::vector<Sample> points = schedule(start, result.peak, result.endS0);
    // A point well above Pbumax: a second maximum the coarse row stepped over. Search it there.
    if (higherElsewhere(points, result.peak)) {
      result.peak = search_.find(points);
      if (result.end == ConvergedEnd::EndSlipDefault)
        result.endS0 = 20 * result.peak.firstLoadedEndSlip;
      points = schedule(start, result.peak, result.endS0);
    }
    if (scanned.foot) result.points = footOfCurve(march_, result.peak, options_);
    fill(result, points);
    return result;
  }

 private:
  static bool higherElsewhere(const std::vector<Sample>& points, const ConvergedPeak& peak) {
    return std::any_of(points.begin(), points.end(), [&](const Sample& s) {
      return (s.s0 < peak.firstS0 || s.s0 > peak.lastS0) && s.force > peak.force * (1 + 1e-6);
    });
  }

  ConvergedEnd chooseEnd(double& endS0) const {
    const std::optional<double> noBond = noBondBeyond(march_.law(), march_.kinks());
    if (options_.endS0 && (!noBond || *options_.endS0 < *noBond)) {
      endS0 = *options_.endS0;
      return ConvergedEnd::EndSlipSet;
    }
    if (noBond) {
      endS0 = *noBond;
      return ConvergedEnd::NoBondLeft;
    }
    return ConvergedEnd::EndSlipDefault;
  }

  struct Scan {
    std::vector<Sample> row;  // by growing s0
    bool foot = false;        // the load at a free-end slip of kFootSlip is not yet small
  };

  // Samples at s0 halving from the end slip (or, without one, from the law's last kink) down to
  // the foot of the curve, or to kFootSlip; without an end slip also doubling up to 20 times the
  // loaded-end slip of the highest load so far.
  Scan scan(ConvergedEnd end, double endS0) const {
    const std::vector<double>& kinks = march_.kinks();
    const double top = end != ConvergedEnd::EndSlipDefault ? endS0
                       : kinks.empty()                     ? 1.0
                                                           : kinks.back();
    Scan s{{search_.sample(top)}, false};
    double highest = s.row.front().force;
    for (double s0 = top / 2;; s0 /= 2) {
      s.foot = s0 <= kFootSlip;
      s.row.push_back(search_.sample(std::max(s0, kFootSlip)));
      highest = std::max(highest, s.row.back().force);
      const bool small = s.row.back().force < options_.startFraction * highest;
      if (highest == 0 && s.foot) throw ParameterError(noLoad(top));
      if (small || s.foot) {
        s.foot = s.foot && !small;
        break;
      }
    }
    if (end == ConvergedEnd::EndSlipDefault) {
      for (double s0 = 2 * top;; s0 *= 2) {
        const auto best = std::max_element(s.row.begin(), s.row.end(),
                                           [](auto& a, auto& b) { return a.force < b.force; });
        if (s0 > 20 * best->slip) break;
        if (s0 > top * 0x1p40) throw ParameterError(stillRising(s0));
        s.row.push_back(search_.sample(s0));
      }
    }
    std::sort(s.row.begin(), s.row.end(), [](auto& a, auto& b) { return a.s0 < b.s0; });
    return s;
  }

  // The highest sample below Pbumax's slip whose load is below the start's share of Pbumax.
  double startSlip(const std::vector<Sample>& row, const ConvergedPeak& peak) const {
    double start = row.front().s0;
    for (const Sample& s : row)
      if (s.s0 < peak.firstS0 && s.force < options_.startFraction * peak.force) start = s.s0;
    return start;
  }

  std::vector<Sample> schedule(double start, const ConvergedPeak& peak, double endS0) const {
    std::vector<double> stops{peak.firstS0, peak.lastS0, endS0};
    std::erase_if(stops, [&](double s) { return s <= start || s > endS0; });
    std::sort(stops.begin(), stops.end());
    stops.erase(std::unique(stops.begin(), stops.end()), stops.end());
    const double forceStep = options_.forceSpacing * peak.force;
    const double slipStep = options_.slipSpacing * peak.firstLoadedEndSlip;
    std::vector<Sample> points{search_.sample(start)};
    std::size_t stop = 0;
    double h = start;
    while (stop < stops.size()) {
      const Sample& last = points.back();
      const double target = std::min(last.s0 + h, stops[stop]);
      const bool atStop = target >= stops[stop] * (1 - 1e-12);
      const Sample next = search_.sample(atStop ? stops[stop] : target);
      const double ratio = std::max(std::abs(next.force - last.force) / forceStep,
                                    std::abs(next.slip - last.slip) / slipStep);
      const double step = next.s0 - last.s0;
      if (ratio > 1 && step > 1e-12 * next.s0) {
        h = step * std::max(0.1, 0.9 / ratio);  // too far apart: try a smaller step
        continue;
      }
      if (points.size() >= kMaxPoints) throw AnalysisError(tooManyPoints());
      points.push_back(next);
      if (atStop) ++stop;
      h = step * std::min(2.0, 0.9 / std::max(ratio, 0.45));
    }
    return points;
  }

  // Appends the points of growing s0 to the foot's, if any.
  void fill(ConvergedResult& result, const std::vector<Sample>& points) const {
    const double surface = march_.bar().length * march_.bar().phi;
    for (const Sample& s : points) {
      if (s.s0 == result.peak.firstS0) result.peakIndex = result.points.size();
      result.points.push_back({s.s0, s.slip, s.force, s.force / surface, march_.bar().length});
    }
    result.length = march_.bar().length;
    result.relativeTolerance = march_.relativeTolerance();
  }

  static std::string noLoad(double top) {
    return "The bond law carries no load at any free-end slip up to " +
           formatNumber(top, "0.000e+00") + " cm: there is no load–slip curve to follow.";
  }
  static std::string stillRising(double s0) {
    return "The load still rises at a free-end slip of " + formatNumber(s0, "0.000e+00") +
           " cm: set the free-end slip at which the converged analysis ends.";
  }
  static std::string tooManyPoints() {
    return "The converged load–slip curve needs more than " + std::to_string(kMaxPoints) +
           " points; the bond law changes too abruptly to follow.";
  }

  static constexpr std::size_t kMaxPoints = 100000;

  ConvergedMarch<L> march_;
  PeakSearch<L> search_;
  ConvergedOptions options_;
};

}  // namespace converged

template <BondStressLaw L>
ConvergedResult runConverged(const L& law, const BarModel& bar, const ConvergedOptions& options) {
  return converged::Runner<L>(law, bar, options).run();
}

template <BondStressLaw L>
ConvergedPeak convergedPeak(const L& law, const BarModel& bar, const ConvergedOptions& options) {
  return converged::Runner<L>(law, bar, options).peak();
}

template <BondStressLaw L>
std::vector<ProfilePoint> convergedProfile(const L& law, const BarModel& bar,
                                           const ConvergedPoint& point, std::span<const double> xs,
                                           double relativeTolerance) {
  const ConvergedMarch<L> march(law, bar, relativeTolerance);
  if (!(point.activeLength < bar.length)) return march.profile(point.s0, xs);
  // The foot: at rest up to lb − ℓ, and from there the bar of length ℓ at s0 → 0.
  const double rest = bar.length - point.activeLength;
  std::vector<ProfilePoint> along;
  std::vector<double> active;
  for (const double x : xs) {
    if (x < rest)
      along.push_back({x, 0, 0, 0});
    else
      active.push_back(x - rest);
  }
  for (ProfilePoint p : march.profile(kFootSlip, active)) {
    p.x += rest;
    along.push_back(p);
  }
  return along;
}

}  // namespace kvt
