// SPDX-License-Identifier: MIT
#include "tau_slip_axes.h"

namespace kvt {

bool TauSlipAxes::rescale(int step, double slip, double tauAvg) {
  if (step == 1) return false;
  slipAxisTrigger_ = 1.5 * slip;
  tauAxisTrigger_ = 1.5 * tauAvg;
  if (slipAxisMax_ < slipAxisTrigger_) slipAxisMax_ = slipAxisTrigger_;
  if (tauAxisMax_ < tauAxisTrigger_) tauAxisMax_ = tauAxisTrigger_;
  return true;
}

}  // namespace kvt
