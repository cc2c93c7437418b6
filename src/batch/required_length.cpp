// SPDX-License-Identifier: MIT
#include "required_length.h"

#include <algorithm>
#include <map>

namespace kvt {

namespace {

constexpr int kCoarseStep = 50;  // 5 cm

}  // namespace

std::string lengthText(int tenths) {
  return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

RequiredLength findRequiredLength(double yieldForce, int maxTenths, const RunAtLength& runAt) {
  RequiredLength found;
  std::map<int, double> known;
  // Pbumax at a length, run once; false when the run failed (`found` then says why).
  const auto at = [&](int tenths, double& pmax) {
    if (const auto hit = known.find(tenths); hit != known.end()) {
      pmax = hit->second;
      return true;
    }
    ++found.runs;
    const RunRecord run = runAt(tenths);
    if (run.outcome() != RunRecord::Outcome::Finished) {
      found.kind = RequiredLength::Kind::Failed;
      found.failedTenths = tenths;
      found.failure = run.failure();
      return false;
    }
    pmax = known[tenths] = run.PMax();
    return true;
  };

  // lo: a length known to fall short (0 stands for "none yet"); hi: the first length that reaches.
  int lo = 0, hi = 0;
  double pmax = 0;
  for (int tenths = std::min(kCoarseStep, maxTenths); hi == 0;
       tenths = std::min(tenths + kCoarseStep, maxTenths)) {
    if (!at(tenths, pmax)) return found;
    if (pmax >= yieldForce) {
      hi = tenths;
    } else {
      lo = tenths;
      if (tenths >= maxTenths) {
        found.kind = RequiredLength::Kind::NotReached;
        return found;
      }
    }
  }
  while (hi - lo > 1) {
    const int mid = lo + (hi - lo) / 2;
    if (!at(mid, pmax)) return found;
    (pmax >= yieldForce ? hi : lo) = mid;
  }

  found.kind = RequiredLength::Kind::Found;
  found.tenths = hi;
  if (!at(hi, found.PMax)) return found;
  if (hi > 1) {
    found.shorterTenths = hi - 1;
    if (!at(hi - 1, found.shorterPMax)) return found;
  }
  return found;
}

}  // namespace kvt
