// SPDX-License-Identifier: MIT
#include "analysis_parameters.h"

namespace kvt {

void setDefaults(AnalysisParameters& p) {
  p.cotAlpha = 1.48f;
  p.beta = 102.0f;
  p.ru = 3.25f;
  p.lb = 20.0f;
  p.detailOutput = 0;
  p.sigmaB = 360.0f;
  p.sigmaT = 30.0f;
  p.Ec = 240000.0f;
  p.db = 1.3f;
  // Δl defaults to half the bar diameter, halved in single precision like the db rule does.
  p.deltaL = p.db / 2.0f;
  p.Ab = 1.27f;
  p.phi = 4.0f;
  p.Es = 2100000.0f;
  p.pw = 0.2f;
  p.k1 = 118.0f;
  p.k2 = 9.98f;
  p.reductionFactor = 1.0f;
  p.initialDs = 0.00001f;
  p.tauU = 0.0f;
  p.su = 0.0f;
}

}  // namespace kvt
