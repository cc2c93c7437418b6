// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>
#include <memory>
#include <span>

#include "analysis/run_observer.h"
#include "analysis/run_record.h"
#include "graph_export.h"
#include "graph_rules/tau_slip_axes.h"

class QLineEdit;
class QMenu;

namespace kvt::ui {

class DrawingSurface;

// The τ-s graph "τ-s relationship": the loaded end's slip against the average bond stress of
// each step, one growing polyline. When a point leaves the range of the last rescale, the axes
// grow (`TauSlipAxes`) and the whole curve is drawn again from the run's histories. Text1 shows
// the stress at the top of the y axis, Text2 the slip at the right end of the x axis.
class Form3 : public QWidget, public RunObserver {
  Q_OBJECT

 public:
  // `prompt` asks for the names of saved files and reports failures.
  explicit Form3(UserPrompt& prompt, QWidget* parent = nullptr);

  int lineWidth() const;
  DrawingSurface& surface() const { return *surface_; }
  QLineEdit* text1() const { return text1_; }
  QLineEdit* text2() const { return text2_; }
  double slipAxisMax() const { return axes_.slipAxisMax(); }
  double tauAxisMax() const { return axes_.tauAxisMax(); }

  // Before the first step: the first scale, from 1000·initialDs and tauMax/100.
  void runStarted(const RunStart& start) override;
  bool needsSections(int step) const override { return (void)step, false; }
  void tauSlipPoint(const TauSlipPoint& point) override;

  // The record of the run drawn, for "Save data…".
  void setRecord(std::shared_ptr<const RunRecord> run) { run_ = std::move(run); }

  // The right-click menu: "Save image…" and "Save data…" (the load–slip response so far).
  QMenu* contextMenu();
  bool saveImage(const QString& path);
  bool saveData(const QString& path);

  void redrawTauSlipGraph(int step, double slip, double tauAvg,
                          std::span<const double> slipHistory = {},
                          std::span<const double> tauAvgHistory = {});

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  DrawingSurface* surface_ = nullptr;
  QMenu* menu_ = nullptr;
  std::shared_ptr<const RunRecord> run_;
  UserPrompt& prompt_;
  QLineEdit* text1_ = nullptr;
  QLineEdit* text2_ = nullptr;
  TauSlipAxes axes_;
};

}  // namespace kvt::ui
