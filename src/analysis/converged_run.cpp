// SPDX-License-Identifier: MIT
#include "converged_run.h"

#include <variant>

#include "converged_run_impl.h"

namespace kvt {

// Each law the converged analysis serves is compiled here, once.
#define KVT_CONVERGED_DEFINE(Law)                                                              \
  template ConvergedResult runConverged(const Law&, const BarModel&, const ConvergedOptions&); \
  template ConvergedPeak convergedPeak(const Law&, const BarModel&, const ConvergedOptions&);  \
  template std::vector<ProfilePoint> convergedProfile(                                         \
      const Law&, const BarModel&, const ConvergedPoint&, std::span<const double>, double);
KVT_CONVERGED_LAWS(KVT_CONVERGED_DEFINE)
#undef KVT_CONVERGED_DEFINE

ConvergedResult runConverged(const RunLaw& law, const BarModel& bar,
                             const ConvergedOptions& options) {
  return std::visit([&](const auto& l) { return runConverged(l, bar, options); }, law);
}

ConvergedPeak convergedPeak(const RunLaw& law, const BarModel& bar,
                            const ConvergedOptions& options) {
  return std::visit([&](const auto& l) { return convergedPeak(l, bar, options); }, law);
}

std::vector<ProfilePoint> convergedProfile(const RunLaw& law, const BarModel& bar,
                                           const ConvergedPoint& point, std::span<const double> xs,
                                           double relativeTolerance) {
  return std::visit(
      [&](const auto& l) { return convergedProfile(l, bar, point, xs, relativeTolerance); }, law);
}

ConvergedResult runConverged(const AnalysisParameters& p, const ConvergedOptions& options) {
  return runConverged(BondLaw(p), barModelOf(p), options);
}

}  // namespace kvt
