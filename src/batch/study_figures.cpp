// SPDX-License-Identifier: MIT
#include "study_figures.h"

#include <algorithm>
#include <functional>
#include <map>

#include "figures/report_figures.h"
#include "params/format_number.h"

namespace kvt {

namespace {

// "Pbumax against lb — beam1.kvt": a title with the case's name, when the case has one (a
// study of the parameter window's unsaved entries has none).
std::string named(const std::string& title, const std::string& caseName) {
  return caseName.empty() ? title : title + " — " + caseName;
}

FigureAxis entryAxis(const VariedEntry& entry, UnitSystem units) {
  return {std::string(entry.quantity().title), shownUnit(entry.quantity(), units).symbol};
}

// "lb = 300 mm", "bar = D13", "pw = 0.4 %": a value as the figure's units show it.
std::string valueText(const VariedEntry& entry, const std::string& boxText, UnitSystem units) {
  if (entry.isBar()) return entry.name() + " = " + boxText;
  const std::string unit = shownUnit(entry.quantity(), units).symbol;
  return entry.name() + " = " + labelNumber(entry.shown(boxText, units)) +
         (unit.empty() ? "" : " " + unit);
}

std::string legend(const StudyGrid& grid, const std::vector<std::string>& values, std::size_t count,
                   UnitSystem units) {
  std::string text;
  for (std::size_t k = 0; k < count; ++k)
    text += (k == 0 ? "" : ", ") + valueText(grid.entries()[k], values[k], units);
  return text;
}

// One curve per combination of all entries but the last, over the last entry's values.
std::vector<FigureCurve> againstLastEntry(
    const StudyGrid& grid, const std::vector<StudyPoint>& points, const std::string& single,
    UnitSystem units, const std::function<std::optional<double>(const StudyPoint&)>& y) {
  const std::size_t last = grid.entries().size() - 1;
  const VariedEntry& entry = grid.entries()[last];
  std::vector<FigureCurve> curves;
  std::map<std::string, std::size_t> curveOf;
  std::vector<std::vector<std::pair<double, double>>> xy;
  for (const StudyPoint& point : points) {
    const std::string key = legend(grid, point.values, last, units);
    const auto [where, fresh] = curveOf.emplace(key, curves.size());
    if (fresh) {
      curves.push_back({last == 0 ? single : key, {}, {}});
      xy.emplace_back();
    }
    if (const auto value = y(point))
      xy[where->second].emplace_back(entry.shown(point.values[last], units), *value);
  }
  for (std::size_t k = 0; k < curves.size(); ++k) {
    std::sort(xy[k].begin(), xy[k].end());
    for (const auto& [x, value] : xy[k]) {
      curves[k].x.push_back(x);
      curves[k].y.push_back(value);
    }
  }
  return curves;
}

Figure familyFigure(const StudyGrid& grid, const std::vector<StudyPoint>& points,
                    const std::string& caseName, UnitSystem units) {
  std::vector<FigureCurve> family;
  for (const StudyPoint& point : points) {
    if (point.curve.empty()) continue;
    FigureCurve curve{grid.entries().empty()
                          ? std::string("base case")
                          : legend(grid, point.values, point.values.size(), units),
                      {},
                      {}};
    for (const LoadSlipRow& row : point.curve) {
      curve.x.push_back(inUnits(row.loadedEndSlip, Quantity::Length, units));
      curve.y.push_back(inUnits(row.loadedEndForce, Quantity::Force, units));
    }
    family.push_back(std::move(curve));
  }
  return curveFigure(named("Load–slip curves", caseName),
                     {"loaded-end slip", unitSymbol(Quantity::Length, units)},
                     {"loaded-end force P", unitSymbol(Quantity::Force, units)}, std::move(family));
}

// The required lb of every case that yields within the lengths tried; the cases whose bar never
// yields stand at the longest length tried, as open triangles, so that no case goes missing; and
// beside them each design code's length for the same cases (design or mean basis in the legend).
Figure requiredLengthFigure(const StudyGrid& grid, const std::vector<StudyPoint>& points,
                            const StudyFigureCase& study, UnitSystem units) {
  const auto length = [&](int tenths) { return inUnits(tenths / 10.0, Quantity::Length, units); };
  std::vector<FigureCurve> curves =
      againstLastEntry(grid, points, "required lb, simulated", units, [&](const StudyPoint& p) {
        if (!p.required || p.required->kind != RequiredLength::Kind::Found)
          return std::optional<double>();
        return std::optional(length(p.required->tenths));
      });
  const VariedEntry& last = grid.entries().back();
  FigureCurve never{"fy·Ab not reached up to " + labelNumber(length(study.lbMaxTenths)) + " " +
                        unitSymbol(Quantity::Length, units),
                    {},
                    {},
                    FigureCurve::Kind::Points};
  for (const StudyPoint& p : points)
    if (p.required && p.required->kind == RequiredLength::Kind::NotReached) {
      never.x.push_back(last.shown(p.values.back(), units));
      never.y.push_back(length(study.lbMaxTenths));
    }
  if (!never.x.empty()) curves.push_back(std::move(never));
  for (std::size_t k = 0; k < study.codes.size(); ++k) {
    const std::string code = std::string(codes::codeTitle(study.codes[k])) +
                             (codes::meanBasis(study.codes[k]) ? " (mean)" : " (design)");
    for (FigureCurve& curve : againstLastEntry(grid, points, code, units, [&](const StudyPoint& p) {
           if (k >= p.codeLengths.size()) return std::optional<double>();
           return std::optional(inUnits(p.codeLengths[k], Quantity::Length, units));
         })) {
      if (grid.entries().size() > 1) curve.title += ", " + code;
      curves.push_back(std::move(curve));
    }
  }
  const FigureAxis x = entryAxis(last, units);
  const std::string fy =
      units == UnitSystem::SI
          ? labelNumber(inUnits(study.fy.value_or(0), Quantity::Stress, units)) + " MPa"
          : formatNumber(study.fy.value_or(0), "0") + " kgf/cm²";
  return curveFigure(named("Required bond length against " + x.title, study.name) + ", fy = " + fy,
                     x, {"required lb", unitSymbol(Quantity::Length, units)}, std::move(curves));
}

}  // namespace

std::vector<std::pair<std::string, Figure>> studyFigures(const StudyGrid& grid,
                                                         const std::vector<StudyPoint>& points,
                                                         const StudyFigureCase& study,
                                                         UnitSystem units) {
  std::vector<std::pair<std::string, Figure>> figures;
  if (std::any_of(points.begin(), points.end(),
                  [](const StudyPoint& p) { return !p.curve.empty(); }))
    figures.emplace_back("load-slip", familyFigure(grid, points, study.name, units));
  if (grid.entries().empty()) return figures;

  const FigureAxis x = entryAxis(grid.entries().back(), units);
  // The bond length is a figure's first question: stated whenever it is not varied.
  const bool lbVaried = std::any_of(grid.entries().begin(), grid.entries().end(),
                                    [](const VariedEntry& e) { return e.name() == "lb"; });
  const std::string lb = lbVaried
                             ? ""
                             : ", lb = " + labelNumber(inUnits(study.lb, Quantity::Length, units)) +
                                   " " + unitSymbol(Quantity::Length, units);
  figures.emplace_back(
      "pbumax",
      curveFigure(named("Pbumax against " + x.title, study.name) + lb, x,
                  {"Pbumax", unitSymbol(Quantity::Force, units)},
                  againstLastEntry(grid, points, "Pbumax", units, [&](const StudyPoint& p) {
                    if (!p.succeeded) return std::optional<double>();
                    return std::optional(inUnits(p.PMax, Quantity::Force, units));
                  })));
  if (!points.empty() && points.front().required)
    figures.emplace_back("required-lb", requiredLengthFigure(grid, points, study, units));
  return figures;
}

std::string studyFigurePath(const std::string& summaryPath, std::string_view suffix,
                            FigureFormat format) {
  const std::string stem =
      summaryPath.ends_with(".csv") ? summaryPath.substr(0, summaryPath.size() - 4) : summaryPath;
  return stem + "." + std::string(suffix) + "." + std::string(figureExtension(format));
}

}  // namespace kvt
