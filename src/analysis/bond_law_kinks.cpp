// SPDX-License-Identifier: MIT
#include <algorithm>
#include <cmath>

#include "bond_law.h"

namespace kvt {

namespace {

// The first slip in (below, above] at which `holds` is true, for a predicate that is false at
// `below` and true at `above`: bisection down to neighbouring doubles.
template <class Predicate>
double firstSlipWhere(double below, double above, Predicate holds) {
  while (true) {
    const double middle = below + (above - below) / 2;
    if (middle <= below || middle >= above) return above;
    (holds(middle) ? above : below) = middle;
  }
}

// The first slip at which the law returns zero, near an estimate from the branch's own formula:
// the law's rounding decides the last bits, and a run ends only where the stress is exactly zero.
double firstZeroNear(const BondLaw& law, double estimate) {
  const auto zero = [&law](double s) { return law.stressOrNaN(s) == 0; };
  const double below = estimate * (1 - 1e-9);
  const double above = estimate * (1 + 1e-9);
  if (zero(below) || !zero(above)) return estimate;
  return firstSlipWhere(below, above, zero);
}

// Where, below `end`, the law switches between the plateau and the ascending value: 64 samples,
// and each switch between two of them bisected. The ascending value rises monotonically for any
// sensible set, so there is one corner; the samples also find more.
void addPlateauCorners(const BondLaw& law, double plateau, double end, std::vector<double>& out) {
  const auto onPlateau = [&](double s) { return law.stressOrNaN(s) == plateau; };
  constexpr int kSamples = 64;
  double previous = 0;
  bool previousOn = onPlateau(previous);
  for (int i = 1; i < kSamples; ++i) {
    const double s = end * i / kSamples;
    const bool on = onPlateau(s);
    if (on != previousOn)
      out.push_back(firstSlipWhere(previous, s, [&](double t) { return onPlateau(t) == on; }));
    previous = s;
    previousOn = on;
  }
}

}  // namespace

std::vector<double> BondLaw::kinks() const {
  std::vector<double> slips;
  // The cotα term changes sign where β·s = r (r = ru/db) and is floored at zero beyond.
  const double cotRoot = cotFactor_ != 0 && beta_ != 0 ? std::sqrt(rSquared_) / std::abs(beta_) : 0;
  // Where s·β·db reaches ru: the end of the ascending branch (β·db in single precision).
  const double branchEnd = betaDbWide_ != 0 ? ru_ / betaDbWide_ : 0;
  if (bilinear_) {
    // Past s·β·db = 0.4859·ru the law jumps to its plateau; below it the two slips above matter
    // only if they come first.
    const double jump = betaDbWide_ != 0 ? bilinearLimit_ / betaDbWide_ : 0;
    if (cotRoot < jump) slips.push_back(cotRoot);
    if (branchEnd < jump) slips.push_back(branchEnd);
    slips.push_back(jump);
    if (jump > 0) addPlateauCorners(*this, plateauWide_, std::min(jump, su_), slips);
    if (su_ > 0) slips.push_back(firstZeroNear(*this, su_));
  } else {
    slips.push_back(cotRoot);
    if (pw_ > 0) {
      slips.push_back(branchEnd);
      // The descending branch reaches zero at peakSearchEnd + descentStart / descentSlope.
      if (descentSlopeWide_ > 0)
        slips.push_back(
            firstZeroNear(*this, peakSearchEndWide_ + descentStartWide_ / descentSlopeWide_));
    } else if (branchEnd > 0) {
      slips.push_back(firstZeroNear(*this, branchEnd));  // no descending branch: zero at once
    }
  }
  std::erase_if(slips, [](double s) { return !(s > 0 && std::isfinite(s)); });
  std::sort(slips.begin(), slips.end());
  slips.erase(std::unique(slips.begin(), slips.end()), slips.end());
  return slips;
}

}  // namespace kvt
