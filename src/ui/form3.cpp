// SPDX-License-Identifier: MIT
#include "form3.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>

#include "drawing_surface.h"
#include "graph_widgets.h"
#include "output/csv_export.h"
#include "params/format_number.h"
#include "twips.h"
#include "ui_style.h"

namespace kvt::ui {

Form3::Form3(UserPrompt& prompt, QWidget* parent) : QWidget(parent), prompt_(prompt) {
  setObjectName("Form3");
  setWindowTitle("τ-s relationship");
  useDesignPalette(*this, Qt::white);
  setFixedSize(twipsSize(3195, 2970));
  surface_ = new DrawingSurface(this);
  surface_->setGeometry(rect());
  addGraphLabel(this, "τbu(kgf/c㎡)", 0, 0, Qt::blue);
  // The stress axis ends at 1.5 times a bond stress that may reach thousands of kgf/cm².
  text1_ = addGraphBox(this, "Text1", twipsRect(120, 240, 1575, 375), Qt::blue, "###0.0");
  addGraphLabel(this, "Slip(cm)", 2400, 2400, kGreen);
  text2_ = addGraphBox(this, "Text2", twipsRect(2160, 2640, 975, 405), kGreen, "0.0E+00");
  surface_->clear();
}

int Form3::lineWidth() const {
  return surface_->lineWidth();
}

void Form3::runStarted(const RunStart& start) {
  axes_ = {};
  redrawTauSlipGraph(0, 1000.0 * static_cast<double>(start.initialDs), start.tauMax / 100);
}

QMenu* Form3::contextMenu() {
  if (menu_) return menu_;
  menu_ = new QMenu(this);
  addSaveAction(*menu_, "Save image…", *this, prompt_, "tau-s.png", "PNG images (*.png)",
                [this](const QString& path) { saveImage(path); });
  addSaveAction(*menu_, "Save data…", *this, prompt_, "load-slip.csv", "CSV files (*.csv)",
                [this](const QString& path) { saveData(path); });
  return menu_;
}

void Form3::contextMenuEvent(QContextMenuEvent* event) {
  contextMenu()->exec(event->globalPos());
}

bool Form3::saveImage(const QString& path) {
  return saveWindowImage(*this, path, prompt_);
}

bool Form3::saveData(const QString& path) {
  if (!run_) return saveTextFile(path, loadSlipCsv({}), prompt_);
  return saveTextFile(path, lawCommentLine(run_->law()) + loadSlipCsv(run_->rows()), prompt_);
}

void Form3::tauSlipPoint(const TauSlipPoint& point) {
  if (axes_.leavesRange(point.slip, point.tauAvg))
    redrawTauSlipGraph(point.step, point.slip, point.tauAvg, point.slipHistory,
                       point.tauAvgHistory);
  surface_->lineTo(point.slip, axes_.y(point.tauAvg));
}

void Form3::redrawTauSlipGraph(int step, double slip, double tauAvg,
                               std::span<const double> slipHistory,
                               std::span<const double> tauAvgHistory) {
  if (!axes_.rescale(step, slip, tauAvg)) return;
  surface_->clear();
  text1_->setText(QString::fromStdString(formatNumber(axes_.tauAxisMax(), "##0.0")));
  text2_->setText(QString::fromStdString(formatNumber(axes_.slipAxisMax(), "0.0E+00")));
  surface_->setScale(0, 0, axes_.slipAxisMax(), axes_.tauAxisMax());
  surface_->setPoint(0, axes_.y(0));
  const auto last = static_cast<std::size_t>(std::max(step - 1, 0));
  for (std::size_t k = 1; k <= last && k < slipHistory.size() && k < tauAvgHistory.size(); ++k)
    surface_->lineTo(slipHistory[k], axes_.y(tauAvgHistory[k]));
}

}  // namespace kvt::ui
