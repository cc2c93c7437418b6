// SPDX-License-Identifier: MIT
#include "form4.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <limits>

#include "drawing_surface.h"
#include "form3.h"
#include "graph_widgets.h"
#include "twips.h"

namespace kvt::ui {

LineWidthOverflow::LineWidthOverflow(int width)
    : AnalysisError("The distribution graph's zero line would be " + std::to_string(width) +
                    "·2 pixels wide, beyond the largest line width (32767).") {}

Form4::Form4(const Form3& form3, UserPrompt& prompt, QWidget* parent)
    : QWidget(parent), form3_(form3), prompt_(prompt) {
  setObjectName("Form4");
  setWindowTitle("distribution of τ");
  setFixedSize(twipsSize(3195, 2910));
  surface_ = new DrawingSurface(this);
  surface_->setGeometry(rect());
  addGraphLabel(this, "τb(local)", 120, 120, Qt::blue);
  addGraphLabel(this, "←Free end", 0, 2640, Qt::black);
  addGraphLabel(this, "Loaded end→", 2040, 2640, Qt::black);
  addGraphLabel(this, "x", 2880, 2280, Qt::black);
  surface_->clear();
}

void Form4::runStarted(const RunStart& start) {
  segmentCount_ = start.segmentCount;
  top_ = -0.12 * start.tauMax;
  bottom_ = 1.1 * start.tauMax;
  distributionBase_ = bottom_ + top_;  // the y of zero bond stress
  refreshFrame();
}

void Form4::sectionsComputed(std::span<const SectionRow> rows) {
  for (const SectionRow& row : rows) {
    const double y = distributionBase_ - row.tau;
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
  const int width = form3_.lineWidth();
  const long doubled = 2L * width;
  if (doubled > std::numeric_limits<std::int16_t>::max()) throw LineWidthOverflow(width);
  surface_->setLineWidth(static_cast<int>(doubled));
  surface_->setScale(1, top_, segmentCount_, bottom_);
  surface_->line(1, distributionBase_, segmentCount_, distributionBase_);
  surface_->setLineWidth(width);
}

}  // namespace kvt::ui
