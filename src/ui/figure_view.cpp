// SPDX-License-Identifier: MIT
#include "figure_view.h"

#include <QResizeEvent>

namespace kvt::ui {

FigureView::FigureView(QWidget* parent) : QGraphicsView(parent) {
  setScene(&scene_);
  setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setFrameShape(QFrame::NoFrame);
  // The figure is paper: white whatever the desktop's colours.
  setBackgroundBrush(Qt::white);
  setMinimumSize(480, 300);
}

void FigureView::setFigure(const Figure& figure) {
  figure_ = figure;
  scene_.setFigure(figure_);
}

void FigureView::resizeEvent(QResizeEvent* event) {
  QGraphicsView::resizeEvent(event);
  scene_.layout(QSizeF(viewport()->size()));
  setSceneRect(scene_.sceneRect());
}

}  // namespace kvt::ui
