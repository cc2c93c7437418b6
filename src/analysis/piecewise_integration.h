// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <array>
#include <boost/math/tools/toms748_solve.hpp>
#include <boost/numeric/odeint/stepper/controlled_runge_kutta.hpp>
#include <boost/numeric/odeint/stepper/runge_kutta_dopri5.hpp>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "analysis_error.h"
#include "bar_model.h"
#include "law_piece.h"
#include "params/format_number.h"

namespace kvt::converged {

// One march from the free end (x = 0, P = 0, s = s0) to the loaded end (x = lb) with the
// Dormand–Prince 5(4) pair of Boost.Odeint and its error control.
//
// The law's kinks are where an integrator of order five would drop to order one or two, and
// where a step that straddles one would be refused again and again. Since P ≥ 0 and τ ≥ 0, the
// slip never decreases along the bar, so each kink slip is crossed at most once per march:
// when an accepted step carries s past the next kink, the crossing x* is found on the step's
// dense output, the step is taken again from its start to x* exactly, and the integration goes
// on from there with the law's next piece. With N = 4 the derivatives with respect to s0 ride
// along; at a kink where τ itself jumps by Δτ they jump by φ·Δτ·(∂s/∂s0)·(Es·Ab)/P, since the
// crossing moves by −(∂s/∂s0)/(ds/dx) when s0 grows.
template <BondStressLaw L, std::size_t N>
class PiecewiseIntegration {
 public:
  using State = std::array<double, N>;

  PiecewiseIntegration(const L& law, const std::vector<double>& kinks, const BarModel& bar,
                       double relativeTolerance, double s0)
      : law_(law),
        kinks_(kinks),
        bar_(bar),
        controlled_(ErrorChecker(std::numeric_limits<double>::min(), relativeTolerance)),
        piece_(static_cast<std::size_t>(std::upper_bound(kinks.begin(), kinks.end(), s0) -
                                        kinks.begin())),
        rhs_(pieceAt(piece_)),
        s0_(s0) {
    y_.fill(0);
    y_[0] = s0;
    if constexpr (N == 4) y_[2] = 1;
    rhs_(y_, dydx_, 0.0);
    dt_ = bar.length / 64;
  }

  // Marches to the loaded end; `onStep(stepper, xOld, yOld, dydxOld, xNew, yNew, dydxNew)` sees
  // every accepted step while its dense output is still valid.
  template <class OnStep>
  State run(OnStep&& onStep) {
    const double end = bar_.length;
    while (x_ < end) {
      const bool aiming = aimAt_ > x_;
      const double tried = aiming ? aimAt_ - x_ : std::min(dt_, end - x_);
      double dt = tried;
      double xNew = x_;
      State yNew, dydxNew;
      if (controlled_.try_step(rhs_, y_, dydx_, xNew, yNew, dydxNew, dt) ==
          boost::numeric::odeint::fail) {
        refused(dt);
        continue;
      }
      failures_ = 0;
      requireFinite(yNew);
      if (!aiming && piece_ < kinks_.size() && yNew[0] >= kinks_[piece_]) {
        aimAt_ = crossing(xNew, yNew, dydxNew);
        if (aimAt_ - x_ <= 1e-14 * end) nextPiece();  // already at the kink
        continue;
      }
      if (tried == end - x_) xNew = end;
      onStep(controlled_.stepper(), x_, y_, dydx_, xNew, yNew, dydxNew);
      x_ = xNew;
      y_ = yNew;
      dydx_ = dydxNew;
      if (aiming) {
        aimAt_ = -1;
        nextPiece();
      } else {
        dt_ = dt;
      }
    }
    return y_;
  }

  const State& state() const { return y_; }

 private:
  using Stepper = boost::numeric::odeint::runge_kutta_dopri5<State>;
  using ErrorChecker =
      boost::numeric::odeint::default_error_checker<double, typename Stepper::algebra_type,
                                                    typename Stepper::operations_type>;
  using Controlled = boost::numeric::odeint::controlled_runge_kutta<Stepper, ErrorChecker>;

  LawPiece<L> pieceAt(std::size_t index) {
    return LawPiece<L>(law_, kinks_, index, bar_.phi, bar_.EsAb, &faultSlip_);
  }

  // Where s reaches the next kink within the step just taken, on its dense output.
  double crossing(double xNew, const State& yNew, const State& dydxNew) {
    const double kink = kinks_[piece_];
    State at;
    const auto below = [&](double x) {
      controlled_.stepper().calc_state(x, at, y_, dydx_, x_, yNew, dydxNew, xNew);
      return at[0] - kink;
    };
    std::uintmax_t iterations = 100;
    const auto close = [](double a, double b) { return b - a <= 1e-15 * std::abs(b); };
    const auto bracket = boost::math::tools::toms748_solve(below, x_, xNew, y_[0] - kink,
                                                           yNew[0] - kink, close, iterations);
    return bracket.second;
  }

  // Into the next piece (and past any further kink the slip has already reached), with the
  // derivatives' jump where the stress jumps.
  void nextPiece() {
    do {
      if constexpr (N == 4) {
        const double jump = pieceAt(piece_ + 1).stressAtLowerEdge() - rhs_.stressAtUpperEdge();
        if (jump != 0 && y_[1] > 0) y_[3] += bar_.phi * jump * y_[2] * bar_.EsAb / y_[1];
      }
      ++piece_;
      rhs_ = pieceAt(piece_);
    } while (piece_ < kinks_.size() && y_[0] >= kinks_[piece_]);
    rhs_(y_, dydx_, x_);
  }

  void refused(double suggested) {
    aimAt_ = -1;
    dt_ = suggested;
    if (++failures_ > 500 || !(dt_ > 1e-14 * bar_.length))
      throw AnalysisError("The converged analysis at a free-end slip of " +
                          formatNumber(s0_, "0.000e+00") +
                          " cm could not reach its accuracy: the step along the bar shrank to " +
                          formatNumber(dt_, "0.000e+00") + " cm.");
  }

  void requireFinite(const State& y) const {
    if (std::all_of(y.begin(), y.end(), [](double v) { return std::isfinite(v); })) return;
    if (!std::isnan(faultSlip_)) law_.stress(faultSlip_);  // throws the law's own fault
    throw ArithmeticError(
        ArithmeticError::Kind::Overflow,
        "the converged analysis at a free-end slip of " + formatNumber(s0_, "0.000e+00") + " cm",
        "the bar force or slip is beyond the double-precision range");
  }

  const L& law_;
  const std::vector<double>& kinks_;
  BarModel bar_;
  Controlled controlled_;
  std::size_t piece_;
  double faultSlip_ = std::numeric_limits<double>::quiet_NaN();
  LawPiece<L> rhs_;
  double s0_;
  State y_{};
  State dydx_{};
  double x_ = 0;
  double dt_ = 0;
  double aimAt_ = -1;
  int failures_ = 0;
};

}  // namespace kvt::converged
