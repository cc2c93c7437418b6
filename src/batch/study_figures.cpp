// SPDX-License-Identifier: MIT
#include "study_figures.h"

#include <algorithm>
#include <array>
#include <functional>
#include <map>

#include "figures/report_figures.h"
#include "jis_bars.h"
#include "params/parse_number.h"

namespace kvt {

namespace {

struct EntryAxis {
  std::string_view name;
  std::string_view title;  // the window's label
  std::string_view unit;
};

constexpr std::array<EntryAxis, 20> kEntryAxes = {{
    {"cotAlpha", "cotα", ""},    {"beta", "β", "1/cm"},
    {"deltaL", "Δl", "cm"},      {"ru", "ru", "cm"},
    {"lb", "lb", "cm"},          {"sigmaB", "σB", "kgf/cm²"},
    {"sigmaT", "σt", "kgf/cm²"}, {"Ec", "Ec", "10⁵ kgf/cm²"},
    {"db", "db", "cm"},          {"Ab", "Ab", "cm²"},
    {"phi", "φ", "cm"},          {"Es", "Es", "10⁶ kgf/cm²"},
    {"pw", "pw", "%"},           {"C1", "C1", "1/cm"},
    {"C2", "C2", "1/cm"},        {"reductionFactor", "reduction factor", ""},
    {"tauU", "τu", "kgf/cm²"},   {"su", "su", "cm"},
    {"ds", "initial ds", "cm"},  {"bar", "bar diameter db", "cm"},
}};

FigureAxis entryAxis(const VariedEntry& entry) {
  for (const EntryAxis& axis : kEntryAxes)
    if (axis.name == entry.name()) return {std::string(axis.title), std::string(axis.unit)};
  return {entry.name(), ""};
}

// Where a value sits on the axis: the number the box reads, a bar at its diameter.
double position(const VariedEntry& entry, const std::string& text) {
  if (entry.isBar()) return parseNumber(findJisBar(text)->db);
  return parseNumber(text);
}

std::string legend(const StudyGrid& grid, const std::vector<std::string>& values,
                   std::size_t count) {
  std::string text;
  for (std::size_t k = 0; k < count; ++k)
    text += (k == 0 ? "" : ", ") + grid.entries()[k].name() + " = " + values[k];
  return text;
}

// One curve per combination of all entries but the last, over the last entry's values.
std::vector<FigureCurve> againstLastEntry(
    const StudyGrid& grid, const std::vector<StudyPoint>& points, const std::string& single,
    const std::function<std::optional<double>(const StudyPoint&)>& y) {
  const std::size_t last = grid.entries().size() - 1;
  std::vector<FigureCurve> curves;
  std::map<std::string, std::size_t> curveOf;
  std::vector<std::vector<std::pair<double, double>>> xy;
  for (const StudyPoint& point : points) {
    const std::string key = legend(grid, point.values, last);
    const auto [where, fresh] = curveOf.emplace(key, curves.size());
    if (fresh) {
      curves.push_back({last == 0 ? single : key, {}, {}});
      xy.emplace_back();
    }
    if (const auto value = y(point))
      xy[where->second].emplace_back(position(grid.entries()[last], point.values[last]), *value);
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

// The required length found by the runs, and beside it each design code's length for the same
// cases, drawn as the codes give it (design or mean basis in the legend).
Figure requiredLengthFigure(const StudyGrid& grid, const std::vector<StudyPoint>& points,
                            const FigureAxis& x, const std::string& caseName,
                            const std::vector<codes::DesignCode>& codes) {
  std::vector<FigureCurve> curves = againstLastEntry(
      grid, points, "required lb, simulated", [](const StudyPoint& p) -> std::optional<double> {
        if (!p.required || p.required->kind != RequiredLength::Kind::Found) return std::nullopt;
        return p.required->tenths / 10.0;
      });
  for (std::size_t k = 0; k < codes.size(); ++k) {
    const std::string code = std::string(codes::codeTitle(codes[k])) +
                             (codes::meanBasis(codes[k]) ? " (mean)" : " (design)");
    for (FigureCurve& curve :
         againstLastEntry(grid, points, code, [k](const StudyPoint& p) -> std::optional<double> {
           if (k >= p.codeLengths.size()) return std::nullopt;
           return p.codeLengths[k];
         })) {
      if (grid.entries().size() > 1) curve.title += ", " + code;
      curves.push_back(std::move(curve));
    }
  }
  return curveFigure("Required bond length against " + x.title + " — " + caseName, x,
                     {"required lb", "cm"}, std::move(curves));
}

}  // namespace

std::vector<std::pair<std::string, Figure>> studyFigures(
    const StudyGrid& grid, const std::vector<StudyPoint>& points, const std::string& caseName,
    UnitSystem units, const std::vector<codes::DesignCode>& codes) {
  std::vector<std::pair<std::string, Figure>> figures;
  const FigureAxis force{"Pbumax", unitSymbol(Quantity::Force, units)};
  const bool curvesKept = std::any_of(points.begin(), points.end(),
                                      [](const StudyPoint& p) { return !p.curve.empty(); });
  if (curvesKept) {
    std::vector<FigureCurve> family;
    for (const StudyPoint& point : points) {
      if (point.curve.empty()) continue;
      FigureCurve curve{grid.entries().empty() ? std::string("base case")
                                               : legend(grid, point.values, point.values.size()),
                        {},
                        {}};
      for (const LoadSlipRow& row : point.curve) {
        curve.x.push_back(inUnits(row.loadedEndSlip, Quantity::Length, units));
        curve.y.push_back(inUnits(row.loadedEndForce, Quantity::Force, units));
      }
      family.push_back(std::move(curve));
    }
    figures.emplace_back(
        "load-slip",
        curveFigure("Load–slip curves — " + caseName,
                    {"loaded-end slip", unitSymbol(Quantity::Length, units)},
                    {"loaded-end force P", unitSymbol(Quantity::Force, units)}, std::move(family)));
  }
  if (grid.entries().empty()) return figures;

  const FigureAxis x = entryAxis(grid.entries().back());
  figures.emplace_back(
      "pbumax", curveFigure("Pbumax against " + x.title + " — " + caseName, x, force,
                            againstLastEntry(grid, points, "Pbumax",
                                             [&](const StudyPoint& p) -> std::optional<double> {
                                               if (!p.succeeded) return std::nullopt;
                                               return inUnits(p.PMax, Quantity::Force, units);
                                             })));
  if (!points.empty() && points.front().required)
    figures.emplace_back("required-lb", requiredLengthFigure(grid, points, x, caseName, codes));
  return figures;
}

std::string studyFigurePath(const std::string& summaryPath, std::string_view suffix,
                            FigureFormat format) {
  const std::string stem =
      summaryPath.ends_with(".csv") ? summaryPath.substr(0, summaryPath.size() - 4) : summaryPath;
  return stem + "." + std::string(suffix) + "." + std::string(figureExtension(format));
}

}  // namespace kvt
