// SPDX-License-Identifier: MIT
#include "figure_view.h"

#include <QResizeEvent>
#include <algorithm>

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
  // Points as the screen has them, but never smaller than the 12-pixel text of the program's
  // windows: the figure on screen is read from arm's length, not from paper.
  scene_.layout(QSizeF(viewport()->size()), std::max(1.5, logicalDpiX() / 72.0));
  setSceneRect(scene_.sceneRect());
}

}  // namespace kvt::ui
