// SPDX-License-Identifier: MIT
#include "march_notes.h"

#include <cmath>

#include "analysis_error.h"
#include "params/format_number.h"
#include "segment_geometry.h"

namespace kvt {

namespace {

// A length as the user would write it: "20", "20.15", "0.0015".
std::string lengthText(double cm) {
  std::string text = formatNumber(cm, "0.#####");
  if (text.ends_with('.')) text.pop_back();
  return text;
}

}  // namespace

std::optional<std::string> analysedLengthNote(float lb, float deltaL) {
  SegmentGeometry geometry;
  try {
    geometry = segmentGeometry(lb, deltaL);
  } catch (const Error&) {
    return std::nullopt;
  }
  const double entered = static_cast<double>(lb);
  const double analysed = analysedLength(geometry.segmentCount, deltaL);
  if (!(std::abs(analysed - entered) > 1e-3 * std::abs(entered))) return std::nullopt;
  return "lb " + lengthText(entered) + " is analysed as " + lengthText(analysed) +
         " cm: " + std::to_string(geometry.segmentCount) + " segments of " +
         lengthText(static_cast<double>(deltaL)) + " cm";
}

std::optional<std::string> risingBranchNote(const RunRecord& record) {
  const double peak = record.PMax();
  if (record.stepCount() == 0 || !(peak > 0)) return std::nullopt;
  const double share = record.rows().front().loadedEndForce / peak;
  if (!(share > 0.1)) return std::nullopt;
  return "the rising branch is not resolved: the first step already carries " +
         formatNumber(100 * share, "0") + " % of Pbumax";
}

}  // namespace kvt
