// SPDX-License-Identifier: MIT
//
// The figures layer. A `Figure` says what a report figure shows, as plain data: a title, and one
// or more panels stacked top to bottom, each with titled axes, titled curves and marked points.
// `report_figures` builds the four figures of a run from its results (plain C++, so kvt-batch
// can build them without Qt); `figure_scene` draws a figure with Qt Charts on screen, and
// `figure_render` writes it as PNG, SVG or PDF. kvt-batch reaches the Qt part only through the
// figure module (`figure_module_abi.h`), which it loads when asked for figures.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kvt {

enum class FigureFormat { Png, Svg, Pdf };

// "png", "svg", "pdf": the file name extension and the name on the command line.
constexpr std::string_view figureExtension(FigureFormat format) {
  switch (format) {
    case FigureFormat::Png:
      return "png";
    case FigureFormat::Svg:
      return "svg";
    case FigureFormat::Pdf:
      return "pdf";
  }
  return "";
}

// An axis reads "title (unit)", e.g. "loaded-end slip (mm)".
struct FigureAxis {
  std::string title;
  std::string unit;

  std::string text() const { return unit.empty() ? title : title + " (" + unit + ")"; }
};

// One curve, its points in order; the title is its legend entry. How it is drawn beside the
// others of its panel:
//   Line      a result, in the colour and dash pattern of its look (its points marked when they
//             are few);
//   Guide     a thin line of reference, such as a bar's yield force;
//   Points    set apart from the lines, each marked with an open triangle, such as the bars that
//             never yield within the lengths tried;
//   Overlay   a second answer for the same case, as the converged analysis beside the march: the
//             colour of its look, thinner and in short dashes;
//   Measured  test data beside computed curves: a thin line with a marker at its points (at most
//             kMeasuredMarkers of them, evenly chosen).
struct FigureCurve {
  enum class Kind { Line, Guide, Points, Overlay, Measured };

  std::string title;
  std::vector<double> x;
  std::vector<double> y;
  Kind kind = Kind::Line;
  // The colour, dash pattern and marker the curve takes; −1 gives the k-th line of a panel the
  // k-th. A comparison gives each run one look across all its figures.
  int look = -1;
};

inline constexpr std::size_t kMeasuredMarkers = 60;

// A point picked out with a label: the peak of a curve, or the step chosen in the results window.
struct FigureMark {
  enum class Kind { Peak, Selection };
  Kind kind = Kind::Peak;
  std::string label;
  double x = 0;
  double y = 0;
};

struct FigurePanel {
  FigureAxis x;
  FigureAxis y;
  std::vector<FigureCurve> curves;
  std::vector<FigureMark> marks;
};

// Panels stack top to bottom and share the x range; a legend is shown in every panel with more
// than one curve.
struct Figure {
  std::string title;
  std::vector<FigurePanel> panels;
};

// The common case in one call: one panel with any number of curves.
inline Figure curveFigure(std::string title, FigureAxis x, FigureAxis y,
                          std::vector<FigureCurve> curves, std::vector<FigureMark> marks = {}) {
  FigurePanel panel{std::move(x), std::move(y), std::move(curves), std::move(marks)};
  return Figure{std::move(title), {std::move(panel)}};
}

// A figure's size on paper, in millimetres: 160 × 100 unless asked otherwise, a page's text
// width; 85 × 60 fits a journal's single column. SVG and PDF are drawn to this size, a PNG at 10
// pixels a millimetre (254 dpi), so 1600 × 1000 pixels by default.
struct FigureSize {
  double widthMm = 160;
  double heightMm = 100;
};

// The sizes a figure may have: from a narrow column to beyond an A4 page's width.
inline constexpr double kSmallestFigureMm = 40;
inline constexpr double kLargestFigureMm = 400;
inline constexpr double kFigurePixelsPerMm = 10;

}  // namespace kvt
