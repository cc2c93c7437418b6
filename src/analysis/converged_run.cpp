// SPDX-License-Identifier: MIT
#include "converged_run.h"

#include "converged_run_impl.h"

namespace kvt {

// Each law the converged analysis serves is compiled here, once.
template ConvergedResult runConverged(const BondLaw&, const BarModel&, const ConvergedOptions&);
template std::vector<ProfilePoint> convergedProfile(const BondLaw&, const BarModel&, double,
                                                    std::span<const double>, double);

ConvergedResult runConverged(const AnalysisParameters& p, const ConvergedOptions& options) {
  return runConverged(BondLaw(p), barModelOf(p), options);
}

}  // namespace kvt
