// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>
#include <functional>
#include <memory>

#include "files/parameter_file.h"
#include "params/parameter_entries.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace kvt {
class Clock;
}

namespace kvt::ui {

class RunController;

// The parameter window "KVT Parameter": a box for every input, "Detail output", and the buttons
// Execute, Open, Save and Exit. Its boxes are bound to `ParameterEntries`, which runs each box's
// rule as the user types; "Execute" converts the entries into the shared record and starts a run.
//
// Every question, report and file name the program asks of the user goes through `prompt`, and
// every result file takes its date and time from `clock`; both are handed on to the run and its
// windows, so that a whole session can run with neither a person nor a real clock.
class Form1 : public QWidget {
  Q_OBJECT

 public:
  Form1(AnalysisParameters& record, UserPrompt& prompt, const Clock& clock,
        QWidget* parent = nullptr);
  ~Form1() override;

  ParameterEntries& entries() { return entries_; }
  QLineEdit* box(int number) const;
  QCheckBox* detailOutputBox() const { return check1_; }
  RunController* runController() const { return controller_.get(); }

  UserPrompt& userPrompt() { return prompt_; }
  ParameterFileLines& parameterFileLines() { return parameterFileLines_; }

  // "Execute": commit the entries and start a run in the analysis windows.
  void execute();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void buildLayout();
  void buildHeadings();
  void buildBoxes();  // the boxes, their labels and "Detail output"
  void buildButtons();
  void bindEntries();
  void showBoxError(int number, const std::optional<NumericError>& error);

  ParameterEntries entries_;
  UserPrompt& prompt_;
  const Clock& clock_;
  std::unique_ptr<RunController> controller_;
  ParameterFileLines parameterFileLines_;
  std::array<QLineEdit*, BoxTexts::kLast + 1> boxes_{};
  QCheckBox* check1_ = nullptr;
  QPushButton* execute_ = nullptr;
  bool loaded_ = false;
};

}  // namespace kvt::ui
