// SPDX-License-Identifier: MIT
#include "bar_model.h"

#include <string>

#include "analysis_error.h"
#include "checked_single.h"
#include "params/format_number.h"

namespace kvt {

namespace {

double positive(float value, const std::string& entry, const std::string& why) {
  if (!(value > 0))
    throw ParameterError(entry + " is " + formatNumber(static_cast<double>(value), "0.0####") +
                         ": " + why);
  return static_cast<double>(value);
}

}  // namespace

BarModel barModelOf(const AnalysisParameters& p) {
  requireFinite(p.phi, "φ");
  requireFinite(p.lb, "lb");
  BarModel bar;
  bar.phi = positive(p.phi, "φ", "the bond needs a bar perimeter greater than zero");
  bar.length = positive(p.lb, "lb", "the bond length must be greater than zero");
  const float EsAb = singleProduct(p.Es, p.Ab, "the axial stiffness Es·Ab");
  bar.EsAb = positive(EsAb, "Es·Ab", "the bar needs an axial stiffness greater than zero");
  return bar;
}

}  // namespace kvt
