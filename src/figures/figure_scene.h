// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QGraphicsScene>
#include <QList>
#include <array>
#include <memory>
#include <vector>

#include "figure.h"

class QGraphicsSimpleTextItem;

namespace kvt {

// A figure drawn with Qt Charts: the title on top, one chart per panel below it, stacked, their
// plot areas aligned so that the panels share the x axis. Everything is black on white with
// fonts of fixed pixel sizes, so the figure reads the same on screen, on paper and in a file
// whatever the desktop's colours.
class FigureScene : public QGraphicsScene {
 public:
  explicit FigureScene(QObject* parent = nullptr);
  ~FigureScene() override;

  // Shows `figure` over the given size. A figure of the same shape as the one shown (panels,
  // curves, marks) updates the charts in place, which is what a live view needs.
  void setFigure(const Figure& figure);
  void layout(QSizeF size);

  // The colours a figure uses besides black, white and greys: the curves' and the peak's.
  static QList<QColor> inkColours();

  // For tests: the plot area of panel k in scene coordinates, and where a value lies in it.
  QRectF plotArea(int panel) const;
  QPointF mapToScene(int panel, double x, double y) const;

 private:
  struct Panel;
  void rebuild(const Figure& figure);
  void update(const Figure& figure);
  bool sameShape(const Figure& figure) const;

  QString title_;
  std::array<QGraphicsSimpleTextItem*, 2> titleLines_{};
  std::vector<std::unique_ptr<Panel>> panels_;
  QSizeF size_{800, 500};
};

}  // namespace kvt
