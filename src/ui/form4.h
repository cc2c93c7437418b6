// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

#include "analysis/run_observer.h"
#include "graph_export.h"
#include "graph_rules/distribution_frame.h"

class QMenu;

namespace kvt::ui {

class DrawingSurface;

// The distribution graph "distribution of τ": the local bond stress along the bar, free end
// left, loaded end right, one curve per step over a zero line (`DistributionFrame`). Every fifth
// step the frame is drawn afresh, so the window shows the curves of the latest steps.
class Form4 : public QWidget, public RunObserver {
  Q_OBJECT

 public:
  // The curves are drawn `lineWidth` pixels wide (the τ-s graph's width), the zero line twice
  // as wide.
  Form4(int lineWidth, UserPrompt& prompt, QWidget* parent = nullptr);

  DrawingSurface& surface() const { return *surface_; }
  double distributionBase() const { return frame_.base; }

  // The frame is set before the first step, so the first steps are drawn in it too.
  void runStarted(const RunStart& start) override;
  void sectionsComputed(std::span<const SectionRow> rows) override;
  void yieldPoint(int step) override;

  void refreshFrame();

  // The right-click menu: "Save image…".
  QMenu* contextMenu();
  bool saveImage(const QString& path);

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  int lineWidth_;
  DrawingSurface* surface_ = nullptr;
  QMenu* menu_ = nullptr;
  UserPrompt& prompt_;
  DistributionFrame frame_;
};

}  // namespace kvt::ui
