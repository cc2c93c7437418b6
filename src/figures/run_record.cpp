// SPDX-License-Identifier: MIT
#include "run_record.h"

#include "analysis/section_march.h"

namespace kvt {

const LoadSlipRow* RunRecord::row(int step) const {
  // Steps are numbered from 1 without gaps, so a step's row sits at index step − 1.
  if (step < 1 || static_cast<std::size_t>(step) > rows.size()) return nullptr;
  return &rows[static_cast<std::size_t>(step - 1)];
}

int RunRecord::peakStep() const {
  int peak = 0;
  double largest = 0;
  for (const LoadSlipRow& r : rows)
    if (peak == 0 || r.loadedEndForce > largest) {
      peak = r.step;
      largest = r.loadedEndForce;
    }
  return peak;
}

std::vector<SectionRow> RunRecord::sections(int step) const {
  const LoadSlipRow* r = row(step);
  if (!r) return {};
  return replaySections(parameters, r->s0, step);
}

}  // namespace kvt
