// SPDX-License-Identifier: MIT
#include "report_figures.h"

#include <algorithm>
#include <cmath>

#include "analysis/analysis_error.h"
#include "analysis/bond_law.h"
#include "law_figure.h"
#include "params/format_number.h"

namespace kvt {

namespace {

double in(double value, Quantity q, UnitSystem units) {
  return inUnits(value, q, units);
}

FigureAxis axis(std::string title, Quantity q, UnitSystem units) {
  return {std::move(title), unitSymbol(q, units)};
}

std::string withUnit(double value, Quantity q, UnitSystem units) {
  return labelNumber(value) + " " + unitSymbol(q, units);
}

// A run's result as the analysis window shows it in kgf-cm (τbmax "##0.00", Pbumax "####0"), so
// that figure and window agree; in SI to four significant digits.
std::string resultText(double kgfCmValue, Quantity q, UnitSystem units, const char* pattern) {
  if (units == UnitSystem::SI) return withUnit(inUnits(kgfCmValue, q, units), q, units);
  return formatNumber(kgfCmValue, pattern) + " " + unitSymbol(q, units);
}

// A run with another law than kvt's own names the law and its entries after the case; a
// converged run says so.
std::string titled(const std::string& what, const RunRecord& run, UnitSystem units) {
  const std::string law = isKvtLaw(run.law()) ? "" : "; " + lawSummary(run.law());
  const std::string method = run.method() == RunMethod::Converged ? "; converged" : "";
  return what + " — " + caseTitle(run, units) + law + method;
}

FigureMark selectionMark(double x, double y, int step) {
  return {FigureMark::Kind::Selection, "step " + std::to_string(step), x, y};
}

}  // namespace

std::string unitSymbol(Quantity q, UnitSystem units) {
  if (q == Quantity::Stress) return units == UnitSystem::SI ? "MPa" : "kgf/cm²";
  return std::string(unitName(q, units));
}

std::string labelNumber(double value) {
  const double magnitude = std::fabs(value);
  if (magnitude == 0) return "0";
  if (!std::isfinite(value) || magnitude < 1e-4 || magnitude >= 1e7)
    return formatNumber(value, "0.000e+00");
  const int decimals = std::clamp(3 - static_cast<int>(std::floor(std::log10(magnitude))), 0, 7);
  return formatNumber(
      value, decimals == 0 ? "0" : "0." + std::string(static_cast<std::size_t>(decimals), '#'));
}

std::string caseTitle(const RunRecord& run, UnitSystem units) {
  return caseTitle(run.parameters(), units, run.source());
}

std::string caseTitle(const AnalysisParameters& p, UnitSystem units, const CaseSource& source) {
  const std::string name = caseName(p.comment, source);
  const std::string sizes =
      "db = " +
      withUnit(in(static_cast<double>(p.db), Quantity::Length, units), Quantity::Length, units) +
      ", lb = " +
      withUnit(in(static_cast<double>(p.lb), Quantity::Length, units), Quantity::Length, units);
  return name.empty() ? sizes : name + ", " + sizes;
}

Figure loadSlipFigure(const RunRecord& run, UnitSystem units, int selectedStep,
                      std::optional<double> fy) {
  FigureCurve loaded{"slip at the loaded end", {}, {}};
  FigureCurve free{"slip at the free end (s0)", {}, {}};
  for (const LoadSlipRow& r : run.rows()) {
    const double force = in(r.loadedEndForce, Quantity::Force, units);
    loaded.x.push_back(in(r.loadedEndSlip, Quantity::Length, units));
    loaded.y.push_back(force);
    free.x.push_back(in(r.s0, Quantity::Length, units));
    free.y.push_back(force);
  }
  std::vector<FigureMark> marks;
  if (const LoadSlipRow* peak = run.row(run.peakStep())) {
    const double force = in(peak->loadedEndForce, Quantity::Force, units);
    marks.push_back(
        {FigureMark::Kind::Peak,
         "Pbumax = " + resultText(peak->loadedEndForce, Quantity::Force, units, "####0"),
         in(peak->loadedEndSlip, Quantity::Length, units), force});
  }
  if (const LoadSlipRow* chosen = run.row(selectedStep))
    marks.push_back(selectionMark(in(chosen->loadedEndSlip, Quantity::Length, units),
                                  in(chosen->loadedEndForce, Quantity::Force, units),
                                  selectedStep));
  std::vector<FigureCurve> curves = {std::move(loaded), std::move(free)};
  if (fy) {
    const double yieldForce = *fy * static_cast<double>(run.parameters().Ab);
    double end = 0;
    for (const FigureCurve& curve : curves)
      for (const double x : curve.x)
        end = std::max(end, x);
    const double level = in(yieldForce, Quantity::Force, units);
    curves.push_back(
        {"yield force fy·Ab = " + resultText(yieldForce, Quantity::Force, units, "####0"),
         {0, end},
         {level, level},
         FigureCurve::Kind::Guide});
  }
  return curveFigure(titled("Load–slip", run, units), axis("slip", Quantity::Length, units),
                     axis("loaded-end force P", Quantity::Force, units), std::move(curves),
                     std::move(marks));
}

Figure tauSlipFigure(const RunRecord& run, UnitSystem units, int selectedStep) {
  FigureCurve curve{"average bond stress", {}, {}};
  for (const LoadSlipRow& r : run.rows()) {
    curve.x.push_back(in(r.loadedEndSlip, Quantity::Length, units));
    curve.y.push_back(in(r.tauAvg, Quantity::Stress, units));
  }
  std::vector<FigureMark> marks;
  if (const LoadSlipRow* peak = run.row(run.tauAvgPeakStep())) {
    const double tau = in(peak->tauAvg, Quantity::Stress, units);
    marks.push_back({FigureMark::Kind::Peak,
                     "τbumax = " + resultText(peak->tauAvg, Quantity::Stress, units, "##0.00"),
                     in(peak->loadedEndSlip, Quantity::Length, units), tau});
  }
  if (const LoadSlipRow* chosen = run.row(selectedStep))
    marks.push_back(selectionMark(in(chosen->loadedEndSlip, Quantity::Length, units),
                                  in(chosen->tauAvg, Quantity::Stress, units), selectedStep));
  return curveFigure(titled("τ-s relationship", run, units),
                     axis("loaded-end slip", Quantity::Length, units),
                     axis("average bond stress τbu", Quantity::Stress, units), {std::move(curve)},
                     std::move(marks));
}

Figure profileFigure(const RunRecord& run, int step, std::span<const SectionRow> sections,
                     UnitSystem units) {
  const FigureAxis x = axis("distance from the free end x", Quantity::Length, units);
  FigureCurve slip{"slip", {}, {}};
  FigureCurve force{"bar force", {}, {}};
  FigureCurve stress{"local bond stress", {}, {}};
  // Section 0, the free end: the step's s0 and no force.
  if (const LoadSlipRow* r = run.row(step)) {
    slip.x.push_back(0);
    slip.y.push_back(in(r->s0, Quantity::Length, units));
    force.x.push_back(0);
    force.y.push_back(0);
  }
  double before = 0;  // where the segment ending at this section starts
  for (const SectionRow& row : sections) {
    const double at = in(row.x, Quantity::Length, units);
    slip.x.push_back(at);
    slip.y.push_back(in(row.sNext, Quantity::Length, units));
    force.x.push_back(at);
    force.y.push_back(in(row.PNext, Quantity::Force, units));
    // A row's bond stress was found at the segment's start section i − 1, and is drawn there.
    stress.x.push_back(in(before, Quantity::Length, units));
    stress.y.push_back(in(row.tau, Quantity::Stress, units));
    before = row.x;
  }
  Figure figure;
  figure.title = titled("Distribution along the bar at step " + std::to_string(step), run, units);
  // Short axis titles: a third of the figure's height has room for no more.
  figure.panels.push_back({x, axis("slip s", Quantity::Length, units), {std::move(slip)}, {}});
  figure.panels.push_back({x, axis("force P", Quantity::Force, units), {std::move(force)}, {}});
  figure.panels.push_back({x, axis("bond τ", Quantity::Stress, units), {std::move(stress)}, {}});
  return figure;
}

Figure bondLawFigure(const RunRecord& run, UnitSystem units) {
  FigureCurve curve{"τ(s)", {}, {}};
  std::vector<FigureMark> marks;
  try {
    const RunLaw law = formRunLaw(run.law(), run.parameters());
    double end = 0;
    for (const LoadSlipRow& r : run.rows())
      end = std::max({end, r.loadedEndSlip, r.s0});
    if (!(end > 0)) end = lawDrawingEnd(law);
    curve = lawCurve(law, end, "τ(s)", units);
    // τbmax is the peak of the ascending law; the bilinear variant caps the law below it.
    const LawPeak peak = lawPeak(law);
    const auto* own = std::get_if<BondLaw>(&law);
    marks.push_back({FigureMark::Kind::Peak,
                     "τbmax = " + resultText(peak.tau, Quantity::Stress, units, "##0.00") +
                         (own && own->bilinear() ? " (ascending law)" : ""),
                     in(peak.slip, Quantity::Length, units),
                     in(peak.tau, Quantity::Stress, units)});
  } catch (const AnalysisError&) {
    // A law that faults (a zero ru, entries that give no law) is left out of the figure.
  }
  return curveFigure(titled("Local bond law", run, units), axis("slip s", Quantity::Length, units),
                     axis("local bond stress τ", Quantity::Stress, units), {std::move(curve)},
                     std::move(marks));
}

}  // namespace kvt
