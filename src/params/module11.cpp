// SPDX-License-Identifier: MIT
#include "module11.h"

namespace kvt {

namespace {
AnalysisParameters& sharedRecord() {
  static AnalysisParameters record;
  return record;
}
}  // namespace

AnalysisParameters& MODULE11::analysisParameters() {
  return sharedRecord();
}

void MODULE11::reset() {
  sharedRecord() = AnalysisParameters{};
}

}  // namespace kvt
