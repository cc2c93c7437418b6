// SPDX-License-Identifier: MIT
#include "form4.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>

#include "drawing_surface.h"
#include "graph_widgets.h"
#include "twips.h"
#include "ui_style.h"

namespace kvt::ui {

Form4::Form4(int lineWidth, UserPrompt& prompt, QWidget* parent)
    : QWidget(parent), lineWidth_(lineWidth), prompt_(prompt) {
  setObjectName("Form4");
  setWindowTitle("distribution of τ");
  useDesignPalette(*this, Qt::white);
  setFixedSize(twipsSize(3195, 2910));
  surface_ = new DrawingSurface(this);
  surface_->setGeometry(rect());
  addGraphLabel(this, "τb(local)", 120, 120, Qt::blue);
  addGraphLabel(this, "←Free end", 0, 2640, Qt::black);
  addGraphLabel(this, "Loaded end→", 2040, 2640, Qt::black);
  addGraphLabel(this, "x", 2880, 2280, Qt::black);
  surface_->setLineWidth(lineWidth_);
  surface_->clear();
}

void Form4::runStarted(const RunStart& start) {
  frame_ = DistributionFrame(start.tauMax, start.segmentCount);
  refreshFrame();
}

void Form4::sectionsComputed(std::span<const SectionRow> rows) {
  for (const SectionRow& row : rows) {
    const double y = frame_.y(row.tau);
    if (row.i == 1)
      surface_->setPoint(1, y);
    else
      surface_->lineTo(row.i, y);
  }
}

void Form4::yieldPoint(int) {
  refreshFrame();
}

QMenu* Form4::contextMenu() {
  if (menu_) return menu_;
  menu_ = new QMenu(this);
  addSaveAction(*menu_, "Save image…", *this, prompt_, "distribution.png", "PNG images (*.png)",
                [this](const QString& path) { saveImage(path); });
  return menu_;
}

void Form4::contextMenuEvent(QContextMenuEvent* event) {
  contextMenu()->exec(event->globalPos());
}

bool Form4::saveImage(const QString& path) {
  return saveWindowImage(*this, path, prompt_);
}

void Form4::refreshFrame() {
  surface_->clear();
  surface_->setLineWidth(zeroLineWidth(lineWidth_));
  surface_->setScale(frame_.left, frame_.top, frame_.right, frame_.bottom);
  surface_->line(frame_.left, frame_.base, frame_.right, frame_.base);
  surface_->setLineWidth(lineWidth_);
}

}  // namespace kvt::ui
