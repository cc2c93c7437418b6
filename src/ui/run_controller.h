// SPDX-License-Identifier: MIT
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <memory>

#include "analysis/run_observer.h"
#include "analysis/run_record.h"
#include "files/user_prompt.h"
#include "params/analysis_parameters.h"

namespace kvt {
class Clock;
}

namespace kvt::ui {

class Form2;
class Form3;
class Form4;
class KeptRuns;
class ResultsWindow;

// The flow of one run in one place. "Execute" creates a controller, which loads the analysis
// window, places it and the two graph windows, and shows them. When the analysis window becomes
// active in its loaded state, the run starts on the user-interface thread and hands its points to
// the τ-s graph, the analysis window, the result file and the distribution graph, in that order;
// after every fifth step it lets pending window events through, then the distribution graph
// refreshes its frame. The analysis window's button, or closing any of the three windows, closes
// them all and shows the parameter window again; a run under way ends at its next step.
// The run fills one `RunRecord`, which every window reads: the τ-s graph's "Save data…" and the
// results window, opened by "Results…" in the graphs' menus or Ctrl+R in any of the three, which
// follows the record as it grows and keeps it when the analysis windows have gone. A run that
// made a step is handed to the session's kept runs when it ends, with its results window.
class RunController : public QObject, public RunObserver {
  Q_OBJECT

 public:
  enum class State { Loaded, Running, Finished, Failed, Closed };

  // `prompt` reports a failed run and serves the windows' save actions; `clock` gives the result
  // file its date and time; `source` is where the entries came from, to name the case; `law` is
  // the run's bond law; `kept` receives the run when it has ended.
  RunController(AnalysisParameters& record, CaseSource source, LawEntries law,
                QWidget& parameterWindow, UserPrompt& prompt, const Clock& clock, KeptRuns& kept);
  ~RunController() override;

  // Loads the analysis window, places the three windows and shows them.
  void start();
  void closeAnalysisWindows();

  State state() const { return state_; }
  // True while the run is on the stack (its windows may be closed already).
  bool isRunning() const { return onStack_; }
  Form2* form2() const;
  Form3* form3() const;
  Form4* form4() const;
  // The run's results window, opened (or brought to the front) on request.
  ResultsWindow* openResults();
  ResultsWindow* resultsWindow() const;
  const RunRecord& run() const { return *run_; }

  void runStarted(const RunStart& start) override;
  bool stopRequested(int step) override;
  bool needsSections(int step) const override { return (void)step, false; }
  void yieldPoint(int step) override;
  void slipIncrementChanged(float ds) override;
  void runFinished(const StepResult& last) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void onActivated();
  void runAnalysis();
  void placeWindows();
  void deleteWindowsLater();
  void presentWindows();
  void offerResults(QWidget& window);
  void showFailure();

  static constexpr qint64 kFrameIntervalMs = 40;

  AnalysisParameters& record_;
  QWidget& parameterWindow_;
  UserPrompt& prompt_;
  const Clock& clock_;
  KeptRuns& kept_;
  QPointer<Form2> form2_;
  QPointer<Form3> form3_;
  QPointer<Form4> form4_;
  QPointer<ResultsWindow> results_;
  // The run so far; shared with the results window, which may outlive this controller.
  std::shared_ptr<RunRecord> run_;
  State state_ = State::Loaded;
  bool onStack_ = false;
  bool closed_ = false;
  QElapsedTimer frameTimer_;
};

}  // namespace kvt::ui
