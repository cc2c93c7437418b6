// SPDX-License-Identifier: MIT
#include "bar_yield.h"

#include "params/format_number.h"

namespace kvt {

namespace {

std::string stressText(double kgfCm2, UnitSystem units) {
  if (units == UnitSystem::SI)
    return formatNumber(inUnits(kgfCm2, Quantity::Stress, units), "0") + " MPa";
  return formatNumber(kgfCm2, "0") + " kgf/cm²";
}

std::string forceText(double kgf, UnitSystem units) {
  if (units == UnitSystem::SI)
    return formatNumber(inUnits(kgf, Quantity::Force, units), "0.00") + " kN";
  return formatNumber(kgf, "0") + " kgf";
}

}  // namespace

double peakBarStress(const RunRecord& run) {
  const double Ab = static_cast<double>(run.parameters().Ab);
  if (run.stepCount() == 0 || !(Ab > 0)) return 0;
  return run.PMax() / Ab;
}

std::optional<std::string> elasticBarNote(const RunRecord& run, UnitSystem units) {
  const double stress = peakBarStress(run);
  if (!(stress > kNoBarCarries)) return std::nullopt;
  return "the bar stress at Pbumax, " + stressText(stress, units) +
         ", is beyond any deformed bar's yield stress (" + stressText(kNoBarCarries, units) +
         "): the bar would have yielded first (the analysis takes it as elastic)";
}

std::string yieldVerdict(const RunRecord& run, double fyKgfCm2, UnitSystem units) {
  const double yieldForce = fyKgfCm2 * static_cast<double>(run.parameters().Ab);
  const std::string fyAb = "fy·Ab = " + forceText(yieldForce, units);
  const std::string pbumax = "Pbumax = " + forceText(run.PMax(), units);
  if (yieldForce <= run.PMax())
    return "the bar yields before it pulls out: " + fyAb + " ≤ " + pbumax;
  return "the bar pulls out before it yields: " + pbumax + " < " + fyAb;
}

}  // namespace kvt
