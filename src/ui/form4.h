// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

#include "analysis/analysis_error.h"
#include "analysis/run_observer.h"
#include "graph_export.h"

class QMenu;

namespace kvt::ui {

class DrawingSurface;
class Form3;

// The zero line's width would not fit the 16-bit range of a line width.
class LineWidthOverflow : public AnalysisError {
 public:
  explicit LineWidthOverflow(int width);
};

// The distribution graph "distribution of τ": the local bond stress along the bar, free end
// left, loaded end right, one curve per step over a zero line. Every fifth step the frame is
// drawn afresh, so the window shows the curves of the latest steps.
class Form4 : public QWidget, public RunObserver {
  Q_OBJECT

 public:
  // The zero line is drawn twice as wide as the τ-s graph's lines.
  explicit Form4(const Form3& form3, UserPrompt& prompt, QWidget* parent = nullptr);

  DrawingSurface& surface() const { return *surface_; }
  double distributionBase() const { return distributionBase_; }

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
  const Form3& form3_;
  DrawingSurface* surface_ = nullptr;
  QMenu* menu_ = nullptr;
  UserPrompt& prompt_;
  int segmentCount_ = 0;
  double top_ = 0, bottom_ = 0, distributionBase_ = 0;
};

}  // namespace kvt::ui
