// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>
#include <array>

#include "analysis/run_observer.h"

class QLineEdit;
class QPushButton;

namespace kvt::ui {

// The analysis window "KVT Now Calculating...": the step, the free-end slip and its increment,
// a profile table of at most ten sections along the bar, and the results τbmax, τbumax and
// Pbumax. Its one button reads "Cancel" while a run goes on and "OK" after it.
//
// The window can only be repainted when the run yields to the user interface, so it keeps the
// latest values and formats them into its boxes when its owner asks (`flush`), at the end and
// after a fault: what the user sees is the same, and a run is not slowed by the display.
class Form2 : public QWidget, public RunObserver {
  Q_OBJECT

 public:
  static constexpr int kTableRows = 10;

  explicit Form2(QWidget* parent = nullptr);

  QPushButton* button() const { return command1_; }
  QLineEdit* textBox(const QString& name) const;

  // Shows the latest values in the boxes.
  void flush();
  // τbmax, shown once the result file has been opened: a run whose file cannot be created shows
  // no result at all.
  void showTauMax(double tauMax);
  // A run that ended in an error: the last values stay, and the button reads "OK", as after a
  // normal end, so that the window says the run is over.
  void runFailed();

  void runStarted(const RunStart& start) override;
  void stepStarted(int step, double s0, float ds) override;
  void sectionsComputed(std::span<const SectionRow> rows) override;
  void stepFinished(const StepResult& result) override;
  void runFinished(const StepResult& last) override;

 signals:
  void activated();
  void buttonPressed();
  void closeRequested();

 protected:
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  struct Row {
    double x = 0, s = 0, tau = 0;
    bool changed = false;
  };
  void buildLayout();

  QLineEdit* text1_ = nullptr;
  QLineEdit* text2_ = nullptr;
  QLineEdit* text3_ = nullptr;
  std::array<QLineEdit*, kTableRows> text4_{}, text5_{}, text6_{};
  QLineEdit* text7_ = nullptr;
  QLineEdit* text8_ = nullptr;
  QLineEdit* text9_ = nullptr;
  QPushButton* command1_ = nullptr;

  // Latest values, shown at the next flush.
  bool stepShown_ = true;
  int step_ = 0;
  double s0_ = 0;
  float ds_ = 0;
  std::array<Row, kTableRows> rows_{};
  bool resultsKnown_ = false;
  double PMax_ = 0, tauAvgMax_ = 0;
};

}  // namespace kvt::ui
