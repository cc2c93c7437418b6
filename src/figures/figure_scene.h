// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QGraphicsScene>
#include <QList>
#include <QMarginsF>
#include <array>
#include <memory>
#include <vector>

#include "figure.h"

class QGraphicsSimpleTextItem;

namespace kvt {

class FigureStyle;

// A figure drawn with Qt Charts: the title on top, one chart per panel below it, stacked, their
// plot areas aligned so that the panels share the x axis. Everything is black on white, whatever
// the desktop's colours, with text and lines sized in points of the printed figure
// (`FigureStyle`). The legends and the labels of marked points are the scene's own items: a
// legend entry shows its curve's line, and a label is set where it covers no other label and
// stays inside the plot.
class FigureScene : public QGraphicsScene {
 public:
  explicit FigureScene(QObject* parent = nullptr);
  ~FigureScene() override;

  // Shows `figure` over the given size. A figure of the same shape as the one shown (panels,
  // curves, marks) updates the charts in place, which is what a live view needs.
  void setFigure(const Figure& figure);
  // Lays the figure out over `size` scene units, `unitsPerPoint` of which make a point.
  void layout(QSizeF size, double unitsPerPoint = 1);

  // The colours a figure uses besides black, white and greys: the curves' and the peak's.
  static QList<QColor> inkColours();

  // For tests: the plot area of panel k in scene coordinates, and where a value lies in it; the
  // labels of the marked points, and every text the scene shows.
  QRectF plotArea(int panel) const;
  QPointF mapToScene(int panel, double x, double y) const;
  std::vector<QGraphicsSimpleTextItem*> markLabels(int panel) const;
  std::vector<QGraphicsItem*> texts() const;

 private:
  struct Panel;
  void rebuild(const Figure& figure);
  void update(const Figure& figure);
  bool sameShape(const Figure& figure) const;
  void applyStyle(const FigureStyle& style);
  double layoutTitle(const FigureStyle& style);
  void layoutPanels(const FigureStyle& style, double top);
  QMarginsF marginsOf(const Panel& panel, const FigureStyle& style) const;
  bool fitTicks(const FigureStyle& style);
  void placeAxisTexts(const FigureStyle& style);
  void placeLegends(const FigureStyle& style);
  void placeMarkLabels(const FigureStyle& style);

  QString title_;
  std::array<QGraphicsSimpleTextItem*, 3> titleLines_{};
  std::vector<std::unique_ptr<Panel>> panels_;
  QSizeF size_{800, 500};
  double unitsPerPoint_ = 1;
};

}  // namespace kvt
