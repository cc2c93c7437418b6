// SPDX-License-Identifier: MIT
#include "converged_overlay.h"

#include <QtConcurrent/QtConcurrentRun>
#include <cmath>

#include "analysis/converged_record.h"
#include "figures/report_figures.h"
#include "params/format_number.h"

namespace kvt::ui {

ConvergedOverlay::ConvergedOverlay(const RunRecord& run, QObject* parent)
    : QObject(parent), parameters_(run.parameters()), source_(run.source()), law_(run.law()) {
  connect(&watcher_, &QFutureWatcher<RunRecord>::finished, this, [this] {
    record_ = watcher_.result();
    emit ready();
  });
}

// A computation still under way goes on to its end on its own thread; its result is dropped.
ConvergedOverlay::~ConvergedOverlay() = default;

void ConvergedOverlay::start() {
  if (started_) return;
  started_ = true;
  watcher_.setFuture(QtConcurrent::run(
      [p = parameters_, s = source_, l = law_] { return convergedRecord(p, s, l); }));
}

std::string ConvergedOverlay::comparison(const RunRecord& run) const {
  if (!record_) return "Computing the converged curve…";
  if (record_->outcome() != RunRecord::Outcome::Finished)
    return "No converged curve: " + record_->failure();
  const double converged = record_->PMax();
  const std::string lb = "lb = " + shortestNumber(record_->analysedLength()) + " cm";
  if (run.stepCount() == 0)
    return "Converged Pbumax " + formatNumber(converged, "####0") + " kgf for " + lb;
  const double percent = 100 * (run.PMax() / converged - 1);
  return "Pbumax " + formatNumber(std::abs(percent), "0.0") + " % " +
         (percent < 0 ? "below" : "above") + " the converged value for " + lb;
}

void ConvergedOverlay::addTo(Figure& figure, bool loadSlip, UnitSystem units) const {
  if (!record_ || record_->stepCount() == 0 || figure.panels.empty()) return;
  Figure converged = loadSlip ? loadSlipFigure(*record_, units) : tauSlipFigure(*record_, units);
  FigureCurve curve = std::move(converged.panels.front().curves.front());
  curve.title = "converged over lb = " + shortestNumber(record_->analysedLength()) + " cm";
  figure.panels.front().curves.push_back(std::move(curve));
}

}  // namespace kvt::ui
