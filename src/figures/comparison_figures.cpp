// SPDX-License-Identifier: MIT
#include "comparison_figures.h"

#include <algorithm>

#include "analysis/analysis_error.h"
#include "law_figure.h"
#include "params/format_number.h"
#include "report_figures.h"

namespace kvt {

namespace {

FigureAxis axis(std::string title, Quantity q, UnitSystem units) {
  return {std::move(title), unitSymbol(q, units)};
}

// A peak's value as the analysis window shows it in kgf-cm (Pbumax "####0", τ "##0.00"), in SI
// to four significant digits.
std::string peakText(double kgfCmValue, Quantity q, UnitSystem units, const char* pattern) {
  const std::string value = units == UnitSystem::SI ? labelNumber(inUnits(kgfCmValue, q, units))
                                                    : formatNumber(kgfCmValue, pattern);
  return value + " " + unitSymbol(q, units);
}

std::string comparedTitle(const std::string& what, std::size_t runs) {
  return what + " — " + std::to_string(runs) + (runs == 1 ? " run" : " runs compared");
}

FigureCurve runCurve(const ComparedRun& r, int look) {
  FigureCurve curve{r.name, {}, {}};
  curve.look = look;
  return curve;
}

// A curve of each run, and where asked its converged answer over it; the peak of each run
// marked with its value.
template <class Point>
Figure overlaid(std::span<const ComparedRun> runs, const std::string& title, FigureAxis x,
                FigureAxis y, Point point) {
  Figure figure = curveFigure(comparedTitle(title, runs.size()), std::move(x), std::move(y), {});
  FigurePanel& panel = figure.panels.front();
  for (std::size_t k = 0; k < runs.size(); ++k) {
    FigureCurve curve = runCurve(runs[k], static_cast<int>(k));
    for (const LoadSlipRow& r : runs[k].run->rows()) {
      const auto [px, py] = point(r.loadedEndSlip, r.loadedEndForce, r.tauAvg);
      curve.x.push_back(px);
      curve.y.push_back(py);
    }
    panel.curves.push_back(std::move(curve));
  }
  for (std::size_t k = 0; k < runs.size(); ++k) {
    if (!runs[k].converged) continue;
    FigureCurve curve = runCurve(runs[k], static_cast<int>(k));
    curve.title += " (converged)";
    curve.kind = FigureCurve::Kind::Overlay;
    for (const LoadSlipRow& c : runs[k].converged->rows()) {
      const auto [px, py] = point(c.loadedEndSlip, c.loadedEndForce, c.tauAvg);
      curve.x.push_back(px);
      curve.y.push_back(py);
    }
    panel.curves.push_back(std::move(curve));
  }
  return figure;
}

}  // namespace

Figure comparedLoadSlipFigure(std::span<const ComparedRun> runs, const MeasuredCurve* measured,
                              UnitSystem units) {
  const auto point = [units](double slip, double force, double) {
    return std::pair(inUnits(slip, Quantity::Length, units),
                     inUnits(force, Quantity::Force, units));
  };
  Figure figure = overlaid(runs, "Load–slip", axis("loaded-end slip", Quantity::Length, units),
                           axis("loaded-end force P", Quantity::Force, units), point);
  FigurePanel& panel = figure.panels.front();
  for (const ComparedRun& r : runs)
    if (const LoadSlipRow* peak = r.run->row(r.run->peakStep()))
      panel.marks.push_back({FigureMark::Kind::Peak,
                             peakText(peak->loadedEndForce, Quantity::Force, units, "####0"),
                             point(peak->loadedEndSlip, peak->loadedEndForce, 0).first,
                             point(peak->loadedEndSlip, peak->loadedEndForce, 0).second});
  if (measured) {
    FigureCurve curve{measured->name + " (measured)", {}, {}};
    curve.kind = FigureCurve::Kind::Measured;
    curve.look = static_cast<int>(runs.size());
    for (std::size_t k = 0; k < std::min(measured->slip.size(), measured->force.size()); ++k) {
      curve.x.push_back(inUnits(measured->slip[k], Quantity::Length, units));
      curve.y.push_back(inUnits(measured->force[k], Quantity::Force, units));
    }
    panel.curves.push_back(std::move(curve));
  }
  return figure;
}

Figure comparedTauSlipFigure(std::span<const ComparedRun> runs, UnitSystem units) {
  const auto point = [units](double slip, double, double tauAvg) {
    return std::pair(inUnits(slip, Quantity::Length, units),
                     inUnits(tauAvg, Quantity::Stress, units));
  };
  Figure figure =
      overlaid(runs, "τ-s relationship", axis("loaded-end slip", Quantity::Length, units),
               axis("average bond stress τbu", Quantity::Stress, units), point);
  for (const ComparedRun& r : runs)
    if (const LoadSlipRow* peak = r.run->row(r.run->tauAvgPeakStep()))
      figure.panels.front().marks.push_back(
          {FigureMark::Kind::Peak, peakText(peak->tauAvg, Quantity::Stress, units, "##0.00"),
           point(peak->loadedEndSlip, 0, peak->tauAvg).first,
           point(peak->loadedEndSlip, 0, peak->tauAvg).second});
  return figure;
}

Figure comparedProfileFigure(std::span<const ComparedRun> runs,
                             std::span<const std::vector<SectionRow>> sections, UnitSystem units) {
  Figure figure;
  figure.title = comparedTitle("Distribution along the bar at Pbumax", runs.size());
  for (std::size_t k = 0; k < runs.size() && k < sections.size(); ++k) {
    // A run's own distribution figure, its curves taken into the comparison's panels.
    Figure own = profileFigure(*runs[k].run, runs[k].run->peakStep(), sections[k], units);
    if (figure.panels.empty())
      for (const FigurePanel& panel : own.panels)
        figure.panels.push_back({panel.x, panel.y, {}, {}});
    for (std::size_t p = 0; p < own.panels.size() && p < figure.panels.size(); ++p) {
      for (FigureCurve& curve : own.panels[p].curves) {
        curve.title = runs[k].name;
        curve.look = static_cast<int>(k);
        figure.panels[p].curves.push_back(std::move(curve));
      }
    }
  }
  return figure;
}

Figure comparedBondLawFigure(std::span<const ComparedRun> runs, UnitSystem units) {
  double end = 0;
  for (const ComparedRun& r : runs)
    for (const LoadSlipRow& row : r.run->rows())
      end = std::max({end, row.loadedEndSlip, row.s0});
  Figure figure = curveFigure(comparedTitle("Local bond law", runs.size()),
                              axis("slip s", Quantity::Length, units),
                              axis("local bond stress τ", Quantity::Stress, units), {});
  FigurePanel& panel = figure.panels.front();
  for (std::size_t k = 0; k < runs.size(); ++k) {
    try {
      const RunLaw law = formRunLaw(runs[k].run->law(), runs[k].run->parameters());
      FigureCurve curve = lawCurve(law, end > 0 ? end : lawDrawingEnd(law), runs[k].name, units);
      curve.look = static_cast<int>(k);
      panel.curves.push_back(std::move(curve));
      const LawPeak peak = lawPeak(law);
      panel.marks.push_back({FigureMark::Kind::Peak,
                             peakText(peak.tau, Quantity::Stress, units, "##0.00"),
                             inUnits(peak.slip, Quantity::Length, units),
                             inUnits(peak.tau, Quantity::Stress, units)});
    } catch (const AnalysisError&) {
      // A law that faults (a zero ru) is left out; the run's other figures still show it.
    }
  }
  return figure;
}

}  // namespace kvt
