// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QFont>
#include <QPen>
#include <QSizeF>

namespace kvt {

// How large a figure's text and lines are drawn. Sizes are points of the printed figure: at
// 85 mm wide, a journal's single column, the smallest text (tick labels, legend, marks) is 7 pt
// and the title 8.5 pt. A wider figure, which is printed wider, gets text up to 8/7 of that
// (8 pt from 97 mm on), so that it keeps in proportion; a narrower one keeps the 7 pt, below
// which print stops being legible.
class FigureStyle {
 public:
  static constexpr double kTickPoints = 7;
  static constexpr double kAxisTitlePoints = 8;
  static constexpr double kTitlePoints = 8.5;
  static constexpr double kSingleColumnMm = 85;

  // `size` in scene units, of which `unitsPerPoint` make a point: 1 for a file (its page is
  // laid out in points), the screen's pixels per point for a window.
  FigureStyle(QSizeF size, double unitsPerPoint);

  // Scene units for a length given in points at single-column width.
  double units(double points) const { return points * scale_; }
  QFont font(double points, bool bold = false) const;
  QPen pen(const QColor& colour, double points, Qt::PenStyle style = Qt::SolidLine) const;
  // The size in points that text given as `points` has on the printed figure.
  double printedPoints(double points) const { return points * textScale_; }

 private:
  double scale_ = 1;      // scene units per point, with the text scale
  double textScale_ = 1;  // 1 … 8/7
};

}  // namespace kvt
