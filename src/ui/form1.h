// SPDX-License-Identifier: MIT
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

#include "analysis/run_law.h"
#include "files/parameter_file.h"
#include "params/parameter_entries.h"

class QCheckBox;
class QLineEdit;
class QMenuBar;
class QPushButton;

namespace kvt {
class Clock;
}

namespace kvt::ui {

class BondLawWindow;
class CompareWindow;
class KeptRuns;
class RunController;

// The parameter window "KVT Parameter": a box for every input, "Detail output", and the buttons
// Execute, Open, Save and Exit. Its boxes are bound to `ParameterEntries`, which runs each box's
// rule as the user types; "Execute" converts the entries into the shared record and starts a run.
//
// A menu bar stands above the client area, which keeps its drawn size and layout: File (Open…,
// Save…, Exit), Analysis (Execute, Study…, Required bond length…, Bond law…), Results (Results
// of the last run, Compare runs…) and Help. An item that has a button calls the button's own
// handler. Every run that made a step is kept (`keptRuns`) until the program ends, so that its
// results can be shown again and compared after "OK".
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
  // The area the window was drawn as, 7305 × 6180 twips, below the menu bar.
  QWidget* clientArea() const { return client_; }
  QMenuBar* menuBar() const { return menuBar_; }
  QLineEdit* box(int number) const;
  QCheckBox* detailOutputBox() const { return check1_; }
  RunController* runController() const { return controller_.get(); }

  UserPrompt& userPrompt() { return prompt_; }
  const Clock& clock() const { return clock_; }
  ParameterFileLines& parameterFileLines() { return parameterFileLines_; }
  KeptRuns& keptRuns() { return *keptRuns_; }
  // The law of the next runs, as "Bond law…" chose it.
  const LawEntries& law() const { return law_; }

  // "Execute": commit the entries and start a run in the analysis windows.
  void execute();
  // "Open" and "Save": the file selection window in its mode.
  void openParameterFile();
  void saveParameterFile();
  // "Exit": ends the program at once.
  void exitProgram();
  // Results of the last run kept, in its results window; nothing when no run was kept.
  void showLastResults();
  // The comparison of the kept runs, one window for the session, shown and raised.
  CompareWindow* openComparison();
  BondLawWindow* openBondLaw();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildMenuBar();
  void buildLayout();
  void buildHeadings();
  void buildBoxes();  // the boxes, their labels and "Detail output"
  void buildButtons();
  void bindEntries();
  void showBoxError(int number, const std::optional<NumericError>& error);
  void markDeltaL();

  ParameterEntries entries_;
  UserPrompt& prompt_;
  const Clock& clock_;
  LawEntries law_ = KvtLawEntries{};
  std::unique_ptr<KeptRuns> keptRuns_;
  std::unique_ptr<RunController> controller_;
  std::unique_ptr<CompareWindow> comparison_;
  QPointer<BondLawWindow> lawWindow_;
  QWidget* client_ = nullptr;
  QMenuBar* menuBar_ = nullptr;
  ParameterFileLines parameterFileLines_;
  std::array<QLineEdit*, BoxTexts::kLast + 1> boxes_{};
  QCheckBox* check1_ = nullptr;
  QPushButton* execute_ = nullptr;
  bool loaded_ = false;
  // Each box's numeric error as its rule last reported it, to mark it again with other notes.
  std::array<std::optional<NumericError>, BoxTexts::kLast + 1> errors_{};
  // What the last run's curve lacks ("the rising branch is not resolved"), until lb, Δl or ds
  // change.
  std::optional<std::string> runNote_;
};

}  // namespace kvt::ui
