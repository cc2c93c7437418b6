// SPDX-License-Identifier: MIT
#pragma once

#include <QGraphicsRectItem>
#include <QPainterPath>
#include <QPen>
#include <QString>
#include <vector>

#include "figure_style.h"

class QGraphicsPathItem;
class QGraphicsLineItem;
class QGraphicsSimpleTextItem;

namespace kvt {

// The shapes that tell the points of curves apart, in the order curves take them.
enum class MarkerShape { Circle, Square, Triangle, Diamond };
MarkerShape markerShapeOf(std::size_t curve);
// The shape `diameter` across, centred on (0, 0).
QPainterPath markerPath(MarkerShape shape, double diameter);

// A legend whose entries show each curve as it is drawn: a stretch of its line with its colour
// and dash pattern (and its marker, where its points are marked), then its title, so that a
// black-and-white print still tells the curves apart. Entries run in rows below the plot, or in
// one column beside it.
class FigureLegend : public QGraphicsRectItem {
 public:
  struct Entry {
    QString title;
    QPen pen;
    bool marked = false;
    MarkerShape marker = MarkerShape::Circle;
    bool hollow = false;  // an open marker, without its line
  };

  explicit FigureLegend(QGraphicsItem* parent = nullptr);

  void setEntries(const std::vector<Entry>& entries);
  bool isEmpty() const { return samples_.empty(); }

  // Lays the entries out in rows no wider than `width`, or in one column, and returns the size.
  QSizeF arrange(const FigureStyle& style, double width, bool column);
  std::vector<QGraphicsSimpleTextItem*> texts() const { return titles_; }

 private:
  std::vector<Entry> entries_;
  std::vector<QGraphicsLineItem*> samples_;
  std::vector<QGraphicsPathItem*> markers_;
  std::vector<QGraphicsSimpleTextItem*> titles_;
};

}  // namespace kvt
