// SPDX-License-Identifier: MIT
#include "law_figure.h"

#include <algorithm>
#include <cmath>

#include "analysis/analysis_error.h"
#include "report_figures.h"

namespace kvt {

namespace {

std::vector<double> kinksOf(const RunLaw& law) {
  return std::visit([](const auto& l) { return l.kinks(); }, law);
}

std::vector<double> drawnSlips(const std::vector<double>& kinks, double end) {
  constexpr int kSamples = 2000;
  std::vector<double> slips;
  for (int j = 0; j <= kSamples; ++j)
    slips.push_back(end * j / kSamples);
  for (const double k : kinks)
    if (k > 0 && k < end)
      for (const double s : {std::nextafter(k, 0.0), k, std::nextafter(k, end)})
        slips.push_back(s);
  std::sort(slips.begin(), slips.end());
  slips.erase(std::unique(slips.begin(), slips.end()), slips.end());
  return slips;
}

}  // namespace

FigureCurve lawCurve(const RunLaw& law, double end, std::string title, UnitSystem units) {
  FigureCurve curve{std::move(title), {}, {}};
  for (const double s : drawnSlips(kinksOf(law), end)) {
    const double tau = std::visit([s](const auto& l) { return l.stressOrNaN(s); }, law);
    if (!std::isfinite(tau)) break;
    curve.x.push_back(inUnits(s, Quantity::Length, units));
    curve.y.push_back(inUnits(tau, Quantity::Stress, units));
  }
  return curve;
}

double lawDrawingEnd(const RunLaw& law) {
  double last = 0;
  for (const double k : kinksOf(law))
    if (std::isfinite(k)) last = std::max(last, k);
  return last > 0 ? 1.2 * last : 1;
}

LawPeak lawPeak(const RunLaw& law) {
  if (const auto* own = std::get_if<BondLaw>(&law)) {
    const BondLaw::PeakSample peak = own->peakSample();
    return {peak.tau, peak.slip};
  }
  return std::visit(
      [](const auto& l) {
        const double tau = l.peak();
        for (const double k : l.kinks())
          if (l.stressOrNaN(k) == tau) return LawPeak{tau, k};
        return LawPeak{tau, 0};
      },
      law);
}

Figure lawChoiceFigure(const LawEntries& law, const AnalysisParameters& p, UnitSystem units) {
  struct Drawn {
    RunLaw law;
    std::string title;
  };
  std::vector<Drawn> laws;
  auto add = [&](const LawEntries& entries, std::string title) {
    try {
      laws.push_back({formRunLaw(entries, p), std::move(title)});
    } catch (const AnalysisError&) {
      // Entries that give no law are named in the window; the figure shows the others.
    }
  };
  // The legend names the law; the window beside the figure shows its entries.
  if (!isKvtLaw(law)) add(law, describeLaw(law).front().value);
  add(KvtLawEntries{}, "kvt's own law, the parameter window's entries");
  double end = 0;
  for (const Drawn& d : laws)
    end = std::max(end, lawDrawingEnd(d.law));
  std::vector<FigureCurve> curves;
  for (const Drawn& d : laws)
    curves.push_back(lawCurve(d.law, end, d.title, units));
  return curveFigure(
      "Bond law — " + caseTitle(p, units), {"slip s", unitSymbol(Quantity::Length, units)},
      {"local bond stress τ", unitSymbol(Quantity::Stress, units)}, std::move(curves));
}

}  // namespace kvt
