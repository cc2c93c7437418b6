// SPDX-License-Identifier: MIT
#pragma once

#include <QRectF>
#include <vector>

#include "figure.h"
#include "figure_style.h"

class QGraphicsScene;
class QGraphicsSimpleTextItem;
class QValueAxis;

namespace kvt {

// The numbers and titles of one panel's axes. The scene draws them itself rather than leave them
// to Qt Charts: it then knows where every text stands, keeps them clear of each other (the two
// zeros at the origin above all), and sizes them in points. A stacked panel, too short for a
// title along its y axis, has it level beside its numbers, the unit on a second line.
class AxisText {
 public:
  AxisText(QGraphicsScene& scene, bool levelYTitle);
  ~AxisText();
  AxisText(const AxisText&) = delete;
  AxisText& operator=(const AxisText&) = delete;

  // `showsX`: the x numbers and title are shown (under the last of stacked panels only).
  void setTitles(const FigureAxis& x, const FigureAxis& y, bool showsX);
  void setStyle(const FigureStyle& style);

  // The room the texts take left of the plot and below it, for the ticks the axes have now.
  double leftRoom(const QValueAxis& y) const;
  double bottomRoom() const;
  // Half a number's height: how far the numbers at the plot's top and bottom reach beyond it.
  double halfLine() const;

  // Numbers at the ticks of `x` and `y` and the titles, around `plot` (scene coordinates);
  // `left` is where the panel's room on the left begins.
  void place(const QValueAxis& x, const QValueAxis& y, const QRectF& plot, double left);

  std::vector<QGraphicsSimpleTextItem*> items() const;

 private:
  void setNumbers(std::vector<QGraphicsSimpleTextItem*>& items, const QValueAxis& axis, bool shown);

  QGraphicsScene& scene_;
  bool levelYTitle_;
  bool showsX_ = true;
  QGraphicsSimpleTextItem* xTitle_;
  QGraphicsSimpleTextItem* yTitle_;
  std::vector<QGraphicsSimpleTextItem*> xNumbers_;
  std::vector<QGraphicsSimpleTextItem*> yNumbers_;
  FigureStyle style_{{1, 1}, 1};
};

}  // namespace kvt
