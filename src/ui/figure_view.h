// SPDX-License-Identifier: MIT
#pragma once

#include <QGraphicsView>

#include "figures/figure_scene.h"

namespace kvt::ui {

// A report figure on screen: the figure laid out over the whole view at screen pixels, so its
// text keeps the size it has in a file, and laid out again whenever the view is resized.
class FigureView : public QGraphicsView {
  Q_OBJECT

 public:
  explicit FigureView(QWidget* parent = nullptr);

  void setFigure(const Figure& figure);
  const Figure& figure() const { return figure_; }
  FigureScene& figureScene() { return scene_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  FigureScene scene_;
  Figure figure_;
};

}  // namespace kvt::ui
