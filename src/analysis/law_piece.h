// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <limits>
#include <vector>

#include "bond_law_concept.h"

namespace kvt::converged {

// The bond law between two neighbouring kinks, continued beyond them by its value at the edge.
// An integrator step that straddles a kink then sees a continuous law and keeps its error
// estimate honest; the step is afterwards cut back to the kink and the next piece takes over.
// At a kink the law's one-sided limits come from the slips one bit inside each piece, so it
// does not matter to which side the law's own comparison puts the kink itself.
//
// The right-hand side of the bar's equations: ds/dx = P/(Es·Ab), dP/dx = φ·τ(s); with N = 4 also
// their derivatives with respect to the free-end slip s0, d(∂s/∂s0)/dx = (∂P/∂s0)/(Es·Ab) and
// d(∂P/∂s0)/dx = φ·τ'(s)·∂s/∂s0, which the peak search solves for.
template <BondStressLaw L>
class LawPiece {
 public:
  // Piece `index` of the law with these kinks: 0 lies below the first kink, kinks.size() above
  // the last. `faultSlip` records the first slip at which the law gave NaN.
  LawPiece(const L& law, const std::vector<double>& kinks, std::size_t index, double phi,
           double EsAb, double* faultSlip)
      : law_(&law), phi_(phi), EsAb_(EsAb), faultSlip_(faultSlip) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    // The slip never falls below zero; a stage of the integrator may reach a little below s0.
    lo_ = index > 0 ? std::nextafter(kinks[index - 1], inf) : 0;
    hi_ = index < kinks.size() ? std::nextafter(kinks[index], -inf) : inf;
  }

  double stress(double s) const {
    const double inside = s < lo_ ? lo_ : (s > hi_ ? hi_ : s);
    const double tau = law_->stressOrNaN(inside);
    if (std::isnan(tau) && std::isnan(*faultSlip_)) *faultSlip_ = inside;
    return tau;
  }
  // The stress just inside the piece's lower and upper edge: the law's limits at its kinks.
  double stressAtLowerEdge() const { return stress(lo_); }
  double stressAtUpperEdge() const { return stress(hi_); }

  // dτ/ds by differences of second order inside the piece (one-sided near its edges), with a
  // step of a millionth of the slip: truncation and rounding both stay near 1e-11 relative.
  // Differences are taken before they are weighted, so a constant stress (a plateau) has a slope
  // of exactly zero, and the derivatives that ride on it stay exactly zero too.
  double slope(double s) const {
    const double c = s < lo_ ? lo_ : (s > hi_ ? hi_ : s);
    const double h = c != 0 ? 1e-6 * std::abs(c) : 1e-12;
    const double at = stress(c);
    if (c - h >= lo_ && c + h <= hi_) return (stress(c + h) - stress(c - h)) / ((c + h) - (c - h));
    if (c + 2 * h <= hi_) return (4 * (stress(c + h) - at) - (stress(c + 2 * h) - at)) / (2 * h);
    if (c - 2 * h >= lo_) return (4 * (at - stress(c - h)) - (at - stress(c - 2 * h))) / (2 * h);
    if (hi_ > lo_ && std::isfinite(hi_ - lo_)) return (stress(hi_) - stress(lo_)) / (hi_ - lo_);
    return 0;
  }

  void operator()(const std::array<double, 2>& y, std::array<double, 2>& dydx, double) const {
    dydx[0] = y[1] / EsAb_;
    dydx[1] = phi_ * stress(y[0]);
  }
  void operator()(const std::array<double, 4>& y, std::array<double, 4>& dydx, double) const {
    dydx[0] = y[1] / EsAb_;
    dydx[1] = phi_ * stress(y[0]);
    dydx[2] = y[3] / EsAb_;
    dydx[3] = phi_ * slope(y[0]) * y[2];
  }

 private:
  const L* law_;
  double lo_ = 0, hi_ = 0;
  double phi_ = 0, EsAb_ = 0;
  double* faultSlip_;
};

}  // namespace kvt::converged
