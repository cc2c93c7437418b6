// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "batch/code_lengths.h"
#include "study_host.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;

namespace kvt::ui {

class StudyGridEditor;
class StudyJob;
class StudyLauncher;
class StudyResultsView;
class StudyRunBar;

// "KVT Required bond length": the shortest lb, on a 0.1 cm grid, at which Pbumax reaches the
// bar's yield force fy·Ab, for the parameter window's case and for each case of a grid (three
// bars, say), found as kvt-batch's --find-lb finds it: a scan every 5 cm up to the longest
// length tried, bisection, and the answer confirmed against the length 0.1 cm shorter. Each
// case's answer stands with its two confirming runs, which can be opened, compared or put into
// the parameter window; the figure draws the length against a varied entry. The design codes
// ticked give their anchorage lengths beside it, in the table and the figure, as --codes does.
class RequiredLengthWindow : public QWidget {
  Q_OBJECT

 public:
  explicit RequiredLengthWindow(StudyHost host, QWidget* parent = nullptr);
  ~RequiredLengthWindow() override;

  StudyGridEditor* gridEditor() const { return editor_; }
  StudyRunBar* runBar() const { return runBar_; }
  StudyResultsView* results() const { return results_; }
  StudyJob* job() const;
  QLineEdit* yieldStressBox() const { return fy_; }
  QComboBox* yieldUnitBox() const { return fyUnit_; }
  QDoubleSpinBox* longestLengthBox() const { return lbMax_; }
  const std::vector<QCheckBox*>& codeBoxes() const { return codeBoxes_; }

  void run();
  void resume();
  void cancel();

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void buildLayout();
  QWidget* buildCodes(QWidget* parent);
  // The design codes ticked, at their recommended factors.
  CodeRequest codeRequest() const;
  void updatePlan();
  std::string setup() const;
  // fy in kgf/cm², or why the box cannot be read.
  std::optional<double> yieldStress(std::string& problem) const;

  StudyHost host_;
  StudyGridEditor* editor_ = nullptr;
  QLineEdit* fy_ = nullptr;
  QComboBox* fyUnit_ = nullptr;
  QDoubleSpinBox* lbMax_ = nullptr;
  std::vector<QCheckBox*> codeBoxes_;  // one a design code, in the codes' order
  StudyRunBar* runBar_ = nullptr;
  StudyResultsView* results_ = nullptr;
  StudyLauncher* launcher_ = nullptr;
};

}  // namespace kvt::ui
