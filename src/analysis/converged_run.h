// SPDX-License-Identifier: MIT
//
// The converged analysis: the bar's equations dP/dx = φ·τ(s), ds/dx = P/(Es·Ab) solved to a
// stated accuracy over the entered bond length, as a second method beside the march of fixed
// segments (which the windows and the result file keep). `ConvergedMarch` solves one free-end
// slip; `runConverged` places free-end slips so that the whole load–slip curve is resolved
// whatever the bond length, finds Pbumax by a bracketing search, and ends the curve as the march
// would. The law is any `BondStressLaw`; the implementation is in converged_run_impl.h, compiled
// for each law in converged_run.cpp, so that only that file pays for Boost.Odeint.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "bar_model.h"
#include "bond_law.h"
#include "bond_law_concept.h"
#include "converged_records.h"
#include "params/analysis_parameters.h"
#include "run_law.h"

namespace kvt {

// The relative tolerance of the integrator's error control that gives the loaded-end force and
// slip to 1e-7 relative for every free-end slip (measured against closed forms in the tests).
inline constexpr double kConvergedTolerance = 1e-9;

// A free-end slip that is no slip at all: where the load at it is not yet small, the foot of the
// curve is a bar whose free end stays at rest (see converged_foot.h).
inline constexpr double kFootSlip = 1e-30;

// Pbumax's free-end slips are bracketed to this share of themselves.
inline constexpr double kPeakSlipTolerance = 1e-10;

struct ConvergedOptions {
  double relativeTolerance = kConvergedTolerance;
  // The free-end slip (cm) at which the curve ends, before the bond is used up. Without it the
  // curve ends where no bond is left, or, for a law that never returns to zero, at 20 times the
  // loaded-end slip at Pbumax.
  std::optional<double> endS0;
  double forceSpacing = 0.01;    // neighbouring points differ by at most this share of Pbumax
  double slipSpacing = 0.01;     // … and of the loaded-end slip at Pbumax
  double startFraction = 0.001;  // the first point carries less than this share of Pbumax
};

template <BondStressLaw L>
ConvergedResult runConverged(const L& law, const BarModel& bar,
                             const ConvergedOptions& options = {});

// Pbumax alone, without the curve: for a search over bond lengths.
template <BondStressLaw L>
ConvergedPeak convergedPeak(const L& law, const BarModel& bar,
                            const ConvergedOptions& options = {});

// The distribution along the bar at a point of the curve, at the distances xs (cm, ascending),
// from the integrator's dense output. At the foot the bar carries nothing up to lb − ℓ.
template <BondStressLaw L>
std::vector<ProfilePoint> convergedProfile(const L& law, const BarModel& bar,
                                           const ConvergedPoint& point, std::span<const double> xs,
                                           double relativeTolerance = kConvergedTolerance);

// The laws compiled in converged_run.cpp; another law is added here.
#define KVT_CONVERGED_LAWS(FOR) FOR(BondLaw) FOR(Mc2010Law) FOR(TabulatedLaw)

#define KVT_CONVERGED_DECLARE(Law)                                          \
  extern template ConvergedResult runConverged(const Law&, const BarModel&, \
                                               const ConvergedOptions&);    \
  extern template ConvergedPeak convergedPeak(const Law&, const BarModel&,  \
                                              const ConvergedOptions&);     \
  extern template std::vector<ProfilePoint> convergedProfile(               \
      const Law&, const BarModel&, const ConvergedPoint&, std::span<const double>, double);
KVT_CONVERGED_LAWS(KVT_CONVERGED_DECLARE)
#undef KVT_CONVERGED_DECLARE

// The same for the law a run was given, whichever it is.
ConvergedResult runConverged(const RunLaw& law, const BarModel& bar,
                             const ConvergedOptions& options = {});
ConvergedPeak convergedPeak(const RunLaw& law, const BarModel& bar,
                            const ConvergedOptions& options = {});
std::vector<ProfilePoint> convergedProfile(const RunLaw& law, const BarModel& bar,
                                           const ConvergedPoint& point, std::span<const double> xs,
                                           double relativeTolerance = kConvergedTolerance);

// The converged analysis of a parameter set with kvt's own law.
ConvergedResult runConverged(const AnalysisParameters& p, const ConvergedOptions& options = {});

}  // namespace kvt
