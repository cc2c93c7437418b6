// SPDX-License-Identifier: MIT
#include "figure_legend.h"

#include <QGraphicsLineItem>
#include <QGraphicsPathItem>
#include <QGraphicsSimpleTextItem>
#include <algorithm>

namespace kvt {

namespace {

// In points at single-column width.
constexpr double kSampleLength = 20;
constexpr double kSampleGap = 3;
constexpr double kEntryGap = 10;
constexpr double kMarkerPoints = 4.5;

}  // namespace

MarkerShape markerShapeOf(std::size_t curve) {
  constexpr MarkerShape kShapes[] = {MarkerShape::Circle, MarkerShape::Square,
                                     MarkerShape::Triangle, MarkerShape::Diamond};
  return kShapes[curve % std::size(kShapes)];
}

QPainterPath markerPath(MarkerShape shape, double diameter) {
  const double r = diameter / 2;
  QPainterPath path;
  switch (shape) {
    case MarkerShape::Circle:
      path.addEllipse(QPointF(0, 0), r, r);
      break;
    case MarkerShape::Square:
      path.addRect(-r * 0.85, -r * 0.85, 1.7 * r, 1.7 * r);
      break;
    case MarkerShape::Triangle:
      path.moveTo(0, -r);
      path.lineTo(r, r * 0.8);
      path.lineTo(-r, r * 0.8);
      path.closeSubpath();
      break;
    case MarkerShape::Diamond:
      path.moveTo(0, -r);
      path.lineTo(r, 0);
      path.lineTo(0, r);
      path.lineTo(-r, 0);
      path.closeSubpath();
      break;
  }
  return path;
}

FigureLegend::FigureLegend(QGraphicsItem* parent) : QGraphicsRectItem(parent) {
  setPen(Qt::NoPen);
  setBrush(Qt::NoBrush);
}

void FigureLegend::setEntries(const std::vector<Entry>& entries) {
  entries_ = entries;
  while (samples_.size() > entries_.size()) {
    delete samples_.back();
    delete markers_.back();
    delete titles_.back();
    samples_.pop_back();
    markers_.pop_back();
    titles_.pop_back();
  }
  while (samples_.size() < entries_.size()) {
    samples_.push_back(new QGraphicsLineItem(this));
    markers_.push_back(new QGraphicsPathItem(this));
    titles_.push_back(new QGraphicsSimpleTextItem(this));
    titles_.back()->setBrush(Qt::black);
  }
  for (std::size_t k = 0; k < entries_.size(); ++k)
    titles_[k]->setText(entries_[k].title);
}

QSizeF FigureLegend::arrange(const FigureStyle& style, double width, bool column) {
  const QFont font = style.font(FigureStyle::kTickPoints);
  const double sample = style.units(kSampleLength);
  const double gap = style.units(kSampleGap);
  const double entryGap = style.units(kEntryGap);
  double x = 0, y = 0, rowHeight = 0, widest = 0;
  for (std::size_t k = 0; k < entries_.size(); ++k) {
    const Entry& entry = entries_[k];
    QGraphicsSimpleTextItem* title = titles_[k];
    title->setFont(font);
    const QSizeF text = title->boundingRect().size();
    const double entryWidth = sample + gap + text.width();
    if (!column && x > 0 && x + entryWidth > width) {
      x = 0;
      y += rowHeight;
      rowHeight = 0;
    }
    QPen pen = entry.pen;
    samples_[k]->setPen(pen);
    samples_[k]->setLine(x, y + text.height() / 2, x + sample, y + text.height() / 2);
    samples_[k]->setVisible(!entry.hollow);
    markers_[k]->setVisible(entry.marked);
    if (entry.marked) {
      markers_[k]->setPath(markerPath(entry.marker, style.units(kMarkerPoints)));
      markers_[k]->setBrush(entry.hollow ? QBrush(Qt::white) : QBrush(pen.color()));
      markers_[k]->setPen(entry.hollow ? pen : QPen(Qt::NoPen));
      markers_[k]->setPos(x + sample / 2, y + text.height() / 2);
    }
    title->setPos(x + sample + gap, y);
    widest = std::max(widest, entryWidth);
    rowHeight = std::max(rowHeight, text.height());
    if (column) {
      y += rowHeight;
      rowHeight = 0;
    } else {
      x += entryWidth + entryGap;
    }
  }
  // The rows as wide as the widest, for centring under the plot.
  double used = 0;
  if (!column) {
    for (QGraphicsSimpleTextItem* title : titles_)
      used = std::max(used, title->pos().x() + title->boundingRect().width());
  }
  const QSizeF size(column ? widest : used, y + rowHeight);
  setRect(QRectF(QPointF(0, 0), size));
  return size;
}

}  // namespace kvt
