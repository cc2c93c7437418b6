// SPDX-License-Identifier: MIT
#include "run_controller.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMenu>
#include <QScopeGuard>
#include <QScreen>
#include <QShortcut>
#include <exception>

#include "analysis/analysis_error.h"
#include "analysis/pull_out_run.h"
#include "drawing_surface.h"
#include "form2.h"
#include "form3.h"
#include "form4.h"
#include "kept_runs.h"
#include "output/clock.h"
#include "output/result_file.h"
#include "results_window.h"
#include "window_placement.h"

namespace kvt::ui {

RunController::RunController(AnalysisParameters& record, CaseSource source, LawEntries law,
                             QWidget& parameterWindow, UserPrompt& prompt, const Clock& clock,
                             KeptRuns& kept)
    : record_(record),
      parameterWindow_(parameterWindow),
      prompt_(prompt),
      clock_(clock),
      kept_(kept),
      run_(std::make_shared<RunRecord>(record, std::move(source), std::move(law))) {}

RunController::~RunController() {
  delete form2_.data();
  delete form4_.data();
  delete form3_.data();
}

Form2* RunController::form2() const {
  return form2_;
}
Form3* RunController::form3() const {
  return form3_;
}
Form4* RunController::form4() const {
  return form4_;
}
ResultsWindow* RunController::resultsWindow() const {
  return results_;
}

ResultsWindow* RunController::openResults() {
  // Once kept, the run's results window is the kept run's, wherever it is asked for.
  if (const int kept = kept_.indexOf(run_.get()); kept >= 0)
    return results_ = kept_.showResults(kept);
  if (!results_) {
    // A window of its own, not a child of the analysis windows: it stays when they go.
    results_ = new ResultsWindow(run_, prompt_);
  }
  results_->show();
  results_->raise();
  results_->activateWindow();
  return results_;
}

void RunController::offerResults(QWidget& window) {
  auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_R), &window);
  connect(shortcut, &QShortcut::activated, this, &RunController::openResults);
}

void RunController::start() {
  form2_ = new Form2;
  form3_ = new Form3(prompt_);
  form3_->setRecord(run_);
  form4_ = new Form4(form3_->lineWidth(), prompt_);
  connect(form2_, &Form2::activated, this, &RunController::onActivated);
  connect(form2_, &Form2::buttonPressed, this, &RunController::closeAnalysisWindows);
  connect(form2_, &Form2::closeRequested, this, &RunController::closeAnalysisWindows);
  form3_->installEventFilter(this);
  form4_->installEventFilter(this);
  for (QWidget* window : {static_cast<QWidget*>(form2_), static_cast<QWidget*>(form3_),
                          static_cast<QWidget*>(form4_)})
    offerResults(*window);
  for (QMenu* menu : {form3_->contextMenu(), form4_->contextMenu()}) {
    menu->addSeparator();
    connect(menu->addAction("Results…"), &QAction::triggered, this, &RunController::openResults);
  }
  placeWindows();
  form4_->show();
  form3_->show();
  form2_->show();
  // Shown last, the analysis window becomes the active one; its activation starts the run.
  form2_->raise();
  form2_->activateWindow();
}

// The analysis window and the τ-s graph side by side, centred on the screen; the distribution
// graph below the τ-s graph. The windows are placed by their outer sizes; before they are shown
// those are not known yet, so the decoration of the parameter window (shown before) stands in.
// Where the screen is too small for the arrangement, each window is shifted onto it.
void RunController::placeWindows() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const QSize decoration = parameterWindow_.frameGeometry().size() - parameterWindow_.size();
  const auto outer = [&](const QWidget* window) { return window->size() + decoration; };
  const QRect area = screen->geometry();
  const QSize size2 = outer(form2_);
  const QSize size3 = outer(form3_);
  const int left = area.x() + area.width() / 2 - (size3.width() + size2.width()) / 2;
  const int top = area.y() + area.height() / 2 - size2.height() / 2;
  placeFrame(*form2_, QRect(QPoint(left, top), size2));
  placeFrame(*form3_, QRect(QPoint(left + size2.width(), top), size3));
  placeFrame(*form4_, QRect(QPoint(left + size2.width(), top + size3.height()), outer(form4_)));
}

void RunController::onActivated() {
  // Only a freshly loaded window starts a run: never a second one nested in a run that is
  // yielding, never a new one from a finished window.
  if (state_ != State::Loaded) return;
  state_ = State::Running;
  // Started from the event loop rather than inside the activation event itself.
  QMetaObject::invokeMethod(this, &RunController::runAnalysis, Qt::QueuedConnection);
}

void RunController::runAnalysis() {
  if (closed_) return;
  onStack_ = true;
  try {
    ResultFile resultFile(record_, clock_);
    // The record keeps the chosen name, so the next run derives its name from this one's
    // ("default.t-s", then "default.T-S"), also when the file could not be created.
    const auto keepResultName = qScopeGuard([&] {
      if (!resultFile.path().empty()) record_.resultFilePath = resultFile.path();
    });
    ObserverList observers;
    observers.add(*form3_);
    observers.add(*form2_);
    // The report's header describes kvt's own law: a run with another law writes none rather
    // than one that misstates its law.
    if (isKvtLaw(run_->law())) observers.add(resultFile);
    observers.add(*this);
    observers.add(*form4_);
    recordRun(*run_, observers);
  } catch (const std::exception& error) {
    run_->fail(error);
  }
  kept_.keep(run_, results_);
  const RunRecord::Outcome outcome = run_->outcome();
  if (outcome == RunRecord::Outcome::Failed || outcome == RunRecord::Outcome::StepLimit)
    showFailure();
  // The results window shows how the run ended, which the record knows only now.
  if (results_) results_->present();
  onStack_ = false;
  if (closed_) deleteWindowsLater();
}

void RunController::showFailure() {
  if (closed_) return;
  state_ = State::Failed;
  presentWindows();
  form2_->runFailed();
  prompt_.warning("KVT", run_->failure());
}

// Called after the result file has been opened and its header written.
void RunController::runStarted(const RunStart& start) {
  form2_->showTauMax(start.tauMax);
}

bool RunController::stopRequested(int) {
  return closed_;
}

// The analysis window shows the record's initialDs as the current increment, and after the run
// the record keeps the last one until the next "Execute" stores the entered value again.
void RunController::slipIncrementChanged(float ds) {
  record_.initialDs = ds;
}

// Every fifth step the user interface gets its turn: input is always handled, and the windows
// are brought up to date at most once per frame interval. Repainting thirty boxes and two graphs
// costs far more than five steps of a long bar, and the eye sees no difference.
void RunController::yieldPoint(int) {
  if (!frameTimer_.isValid() || frameTimer_.elapsed() >= kFrameIntervalMs) {
    frameTimer_.start();
    presentWindows();
  }
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void RunController::presentWindows() {
  // The results window follows the run at the same rate, also once the other windows are gone.
  if (results_) results_->present();
  if (closed_) return;
  form2_->flush();
  form3_->surface().present();
  form4_->surface().present();
}

void RunController::runFinished(const StepResult&) {
  if (closed_) return;
  state_ = State::Finished;
  presentWindows();
}

void RunController::closeAnalysisWindows() {
  if (closed_) return;
  closed_ = true;
  state_ = State::Closed;
  // The parameter window first, so that the program never finds itself without a window.
  parameterWindow_.show();
  for (QWidget* window : {static_cast<QWidget*>(form2_), static_cast<QWidget*>(form3_),
                          static_cast<QWidget*>(form4_)})
    if (window) window->hide();
  // A run on the stack still holds the windows; they go when it has ended.
  if (!onStack_) deleteWindowsLater();
}

void RunController::deleteWindowsLater() {
  for (QObject* window : {static_cast<QObject*>(form2_), static_cast<QObject*>(form3_),
                          static_cast<QObject*>(form4_)})
    if (window) window->deleteLater();
}

bool RunController::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Close && (watched == form3_ || watched == form4_))
    closeAnalysisWindows();
  return QObject::eventFilter(watched, event);
}

}  // namespace kvt::ui
