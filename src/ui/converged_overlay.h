// SPDX-License-Identifier: MIT
#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <optional>
#include <string>

#include "analysis/run_record.h"
#include "analysis/units.h"
#include "figures/figure.h"

namespace kvt::ui {

// The converged curve of a run's bar, for the results window's "Converged" switch: the same
// parameters and law solved over lb itself, on a worker thread, so that the run it is laid over
// is never slowed; `ready` says when it has come. It is computed once, when first asked for.
class ConvergedOverlay : public QObject {
  Q_OBJECT

 public:
  explicit ConvergedOverlay(const RunRecord& run, QObject* parent = nullptr);
  ~ConvergedOverlay() override;

  // Starts the computation, unless it has started already.
  void start();
  // The converged record once computed (finished or failed), or nothing yet.
  const RunRecord* record() const { return record_ ? &*record_ : nullptr; }

  // "Pbumax 1.1 % above the converged value for lb = 20 cm", what is being done, or why there
  // is no converged value.
  std::string comparison(const RunRecord& run) const;

  // The load–slip and τ-s figures of a run with the converged curve added, when there is one.
  void addTo(Figure& figure, bool loadSlip, UnitSystem units) const;

 signals:
  void ready();

 private:
  AnalysisParameters parameters_;
  CaseSource source_;
  LawEntries law_;
  QFutureWatcher<RunRecord> watcher_;
  std::optional<RunRecord> record_;
  bool started_ = false;
};

}  // namespace kvt::ui
