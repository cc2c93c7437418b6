// SPDX-License-Identifier: MIT
#pragma once

#include <cmath>
#include <cstddef>
#include <vector>

#include "converged_march.h"
#include "converged_run.h"

namespace kvt::converged {

// The foot of a curve whose load does not vanish with the free-end slip. A law that rises
// faster than linearly from zero slip (MC2010's τbmax·(s/s1)^0.4) lets a bar develop its slip
// from zero over a finite length, and so does, for any practical purpose, a bar many times
// longer than the length over which its bond acts. The load then grows from zero while the
// bonded zone spreads from the loaded end and the free end stays at rest. A bar whose active
// zone is ℓ long carries at its loaded end what a bar of length ℓ carries at s0 → 0: one march
// at s0 = kFootSlip, read at every ℓ from its dense output, gives the whole foot. The points
// keep to the curve's spacing; the last, ℓ = lb, is the first point of growing s0 and is left
// to it.
template <BondStressLaw L>
std::vector<ConvergedPoint> footOfCurve(const ConvergedMarch<L>& march, const ConvergedPeak& peak,
                                        const ConvergedOptions& options) {
  constexpr int kCandidates = 4000;
  const double length = march.bar().length;
  std::vector<double> xs;
  for (int i = 1; i <= kCandidates; ++i)
    xs.push_back(length * i / kCandidates);
  const std::vector<ProfilePoint> along = march.profile(kFootSlip, xs);
  const double forceStep = options.forceSpacing * peak.force;
  const double slipStep = options.slipSpacing * peak.firstLoadedEndSlip;
  const auto near = [&](const ProfilePoint& a, const ProfilePoint& b) {
    return std::abs(b.force - a.force) <= forceStep && std::abs(b.slip - a.slip) <= slipStep;
  };
  std::size_t at = 0;
  while (at + 1 < along.size() && along[at + 1].force < options.startFraction * peak.force)
    ++at;
  std::vector<ConvergedPoint> foot;
  const double surface = length * march.bar().phi;
  while (at + 1 < along.size()) {
    const ProfilePoint& p = along[at];
    foot.push_back({0, p.slip, p.force, p.force / surface, p.x});
    std::size_t next = at + 1;
    while (next + 1 < along.size() && near(p, along[next + 1]))
      ++next;
    at = next;
  }
  return foot;
}

}  // namespace kvt::converged
