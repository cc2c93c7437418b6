// SPDX-License-Identifier: MIT
#include "law_figure.h"

#include <algorithm>
#include <cmath>

#include "analysis/analysis_error.h"
#include "report_figures.h"

namespace kvt {

namespace {

std::vector<double> kvtLawCorners(const BondLaw& law, const AnalysisParameters& p) {
  std::vector<double> corners = {static_cast<double>(law.peakSearchEnd())};
  if (law.bilinear()) {
    corners.push_back(0.4859 * static_cast<double>(p.ru) / static_cast<double>(law.betaDb()));
    corners.push_back(static_cast<double>(p.su));
  } else if (p.pw > 0 && law.descentSlope() > 0) {
    corners.push_back(static_cast<double>(law.peakSearchEnd()) +
                      static_cast<double>(law.descentStart()) /
                          static_cast<double>(law.descentSlope()));
  }
  return corners;
}

// Where a drawing of the law ends: a fifth beyond its last corner.
double drawingEnd(const std::vector<double>& corners) {
  double last = 0;
  for (const double c : corners)
    if (std::isfinite(c)) last = std::max(last, c);
  return 1.2 * last;
}

FigureCurve curveOf(const RunLaw& law, const std::vector<double>& slips, std::string title,
                    UnitSystem units) {
  FigureCurve curve{std::move(title), {}, {}};
  for (const double s : slips) {
    const double tau = std::visit([s](const auto& l) { return l.stressOrNaN(s); }, law);
    if (!std::isfinite(tau)) break;
    curve.x.push_back(inUnits(s, Quantity::Length, units));
    curve.y.push_back(inUnits(tau, Quantity::Stress, units));
  }
  return curve;
}

}  // namespace

std::vector<double> lawCorners(const RunLaw& law, const AnalysisParameters& p) {
  if (const auto* own = std::get_if<BondLaw>(&law)) return kvtLawCorners(*own, p);
  return std::visit(
      [](const auto& l) -> std::vector<double> {
        if constexpr (requires { l.kinks(); })
          return l.kinks();
        else
          return {};
      },
      law);
}

std::vector<double> lawSlips(const std::vector<double>& corners, double end) {
  constexpr int kSamples = 2000;
  std::vector<double> slips;
  for (int j = 0; j <= kSamples; ++j)
    slips.push_back(end * j / kSamples);
  for (const double c : corners)
    if (c > 0 && c < end)
      for (const double s : {std::nextafter(c, 0.0), c, std::nextafter(c, end)})
        slips.push_back(s);
  std::sort(slips.begin(), slips.end());
  slips.erase(std::unique(slips.begin(), slips.end()), slips.end());
  return slips;
}

std::string lawSummary(const LawEntries& law) {
  const std::vector<LawEntryText> rows = describeLaw(law);
  std::string text = rows.front().value;
  for (std::size_t i = 1; i < rows.size(); ++i) {
    text += i == 1 ? ": " : ", ";
    const bool word = rows[i].name == "bond" || rows[i].name == "failure";
    text += word ? rows[i].name + " " + rows[i].value : rows[i].name + " = " + rows[i].value;
  }
  return text;
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
    end = std::max(end, drawingEnd(lawCorners(d.law, p)));
  if (!(end > 0)) end = 1;
  std::vector<FigureCurve> curves;
  for (const Drawn& d : laws) {
    const std::vector<double> slips = lawSlips(lawCorners(d.law, p), end);
    curves.push_back(curveOf(d.law, slips, d.title, units));
  }
  return curveFigure(
      "Bond law — " + caseTitle(p, units), {"slip s", unitSymbol(Quantity::Length, units)},
      {"local bond stress τ", unitSymbol(Quantity::Stress, units)}, std::move(curves));
}

}  // namespace kvt
